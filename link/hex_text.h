#pragma once
// Hexadecimal text helpers shared by every subsystem. Frames on the bus
// are upper-case hex text, so these sit on the hottest path of the program.

#include <cstdint>
#include <string>

namespace bus {

// Two upper-case hex digits with a leading zero ("0A", "FF").
std::string ByteToHex2(std::uint8_t value);

// Four hex digits for 0..65535; the empty text for anything else.
std::string WordToHex4(std::int32_t value);

// Hex digits without leading zeros ("10000" for 65536, "0" for 0).
std::string HexNoLeadingZeros(std::uint32_t value);

// Value of one hex digit (either case), or -1.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace bus
