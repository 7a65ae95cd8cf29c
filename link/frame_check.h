#pragma once
// Whether one line heard on the bus is a well-formed Modbus ASCII frame, and whose
// it is. Cheap enough to run on every line as it arrives; the monitor shows a refused
// line in red with the reason.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace bus {

enum class LineFault : std::uint8_t {
  None,
  Empty,      // nothing between the line ends
  NoColon,    // does not start with ':'
  NotHex,     // a character that is not a hex digit
  OddDigits,  // half a byte at the end
  TooShort,   // less than address, function and LRC
  TooLong,    // longer than any frame of this bus
  BadLrc,
  BareLf,  // ended in LF without CR
};

// The longest frame of this bus: a block write or a block reply, 8 + 128 bytes and the LRC.
inline constexpr std::size_t kMaxFrameBytes = 137;

struct FrameCheck {
  LineFault fault = LineFault::None;
  int address = -1;   // -1 when the line carries none that can be read
  int function = -1;  // likewise
};

// `body` is the line without its CR LF (LineBody).
FrameCheck CheckFrame(std::string_view body);

// "LRC hatalı", "onaltılık olmayan karakter", "çok uzun", ...; empty for None.
const char* LineFaultText(LineFault fault);

}  // namespace bus
