#pragma once
// One line of bus traffic as the monitor, the capture file and the replay keep it:
// who put it on the wire and its bytes without the CR LF that ended it.

#include <cstdint>
#include <string>
#include <string_view>

namespace bus {

enum class LineDirection : std::uint8_t {
  Received,  // heard on the bus
  Sent,      // written by the PC
};

// The line without its final CR LF. A line that ended in a bare LF keeps it, so that
// what went over the wire can be told apart and given back exactly.
constexpr std::string_view LineBody(std::string_view line) {
  if (line.ends_with("\r\n")) line.remove_suffix(2);
  return line;
}

// The bytes that went over the wire for a body LineBody gave.
inline std::string LineOnWire(std::string_view body) {
  std::string wire(body);
  if (!body.ends_with('\n')) wire += "\r\n";
  return wire;
}

}  // namespace bus
