#pragma once
// Whether a line heard on the bus is a whole frame the decoder may use: ":" first,
// hex digits only, whole bytes, a correct LRC and, for the replies whose data is
// stored, the length their function implies. A frame to address 16 is the PC's turn
// as soon as its address field is good; nothing else of it is read.

#include <cstdint>
#include <string_view>

namespace bus {

enum class LineVerdict {
  Taken,      // a whole frame
  Blank,      // nothing before the line end
  NoStart,    // does not begin with ":"
  NotHex,     // a character that is not a hex digit
  OddLength,  // half a byte at the end
  TooShort,   // fewer bytes than address, function and LRC
  BadLrc,
  WrongLength,  // not the length its function implies
  PastEnd,      // a block that would reach past the top of the memory
};

// The fields of a frame that decide what it means. Only meaningful for Taken lines.
struct FrameHead {
  std::int32_t address = 0;
  std::int32_t function = 0;
  std::int32_t item = 0;          // functions 207 and 208
  std::int32_t blockAddress = 0;  // functions 207 and 208, when the frame carries one
  std::size_t bytes = 0;          // address to LRC; 0 for a turn read by its address only
};

struct LineCheck {
  LineVerdict verdict = LineVerdict::Blank;
  FrameHead head;
  bool taken() const { return verdict == LineVerdict::Taken; }
};

// `line` may carry its CR LF.
LineCheck CheckLine(std::string_view line);

// A few words for the user on why a line was refused ("" for Taken and Blank).
const char* VerdictText(LineVerdict verdict);

}  // namespace bus
