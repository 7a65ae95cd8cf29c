#pragma once
// Hexadecimal and base-n text helpers shared by every subsystem. Frames on the bus
// are upper-case hex text, so these sit on the hottest path of the program.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bus {

// Two upper-case hex digits with a leading zero ("0A", "FF").
std::string MB_WS_Pre(std::uint8_t value);
std::string ByteToHex2(std::uint8_t value);

// Four hex digits for 0..65535; the empty text for anything else.
std::string WordToHex4(std::int32_t value);

// Hex digits without leading zeros ("10000" for 65536, "0" for 0).
std::string HexNoLeadingZeros(std::uint32_t value);

// Result of BaseToNum: the empty text is a value of its own (it counts as 0), and a
// text with a foreign digit or an overflow is "no number".
struct BaseNum {
  enum class Kind { Empty, Number, NoNumber };
  Kind kind = Kind::Empty;
  std::int32_t value = 0;

  // The number as a caller converts it: Empty is 0, NoNumber has none.
  std::optional<std::int32_t> ToInt() const {
    if (kind == Kind::NoNumber) return std::nullopt;
    return value;
  }
};

// Text in base 2..16 (case-insensitive) to a number.
BaseNum BaseToNum(std::string_view text, int base);

// Decimal text to digits in base 2..16; zero, negative or unreadable input gives "".
std::string NumToBase(std::string_view decimalText, int base);

// Value of one hex digit (either case), or -1.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace bus
