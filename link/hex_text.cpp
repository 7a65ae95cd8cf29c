#include "link/hex_text.h"

#include <charconv>
#include <limits>

namespace bus {
namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

std::string MB_WS_Pre(std::uint8_t value) {
  return std::string{kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::string ByteToHex2(std::uint8_t value) { return MB_WS_Pre(value); }

std::string WordToHex4(std::int32_t value) {
  if (value < 0 || value > 0xFFFF) return {};
  return std::string{kDigits[(value >> 12) & 0xF], kDigits[(value >> 8) & 0xF],
                     kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

std::string HexNoLeadingZeros(std::uint32_t value) {
  std::string out;
  do {
    out.insert(out.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return out;
}

BaseNum BaseToNum(std::string_view text, int base) {
  if (text.empty()) return {};
  if (base < 2 || base > 16) return {BaseNum::Kind::NoNumber, 0};
  std::int64_t value = 0;
  for (char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0 || digit >= base) return {BaseNum::Kind::NoNumber, 0};
    value = value * base + digit;
    if (value > std::numeric_limits<std::int32_t>::max()) return {BaseNum::Kind::NoNumber, 0};
  }
  return {BaseNum::Kind::Number, static_cast<std::int32_t>(value)};
}

std::string NumToBase(std::string_view decimalText, int base) {
  if (base < 2 || base > 16) return {};
  std::int32_t n = 0;
  const auto* end = decimalText.data() + decimalText.size();
  const auto [ptr, ec] = std::from_chars(decimalText.data(), end, n);
  if (ec != std::errc{} || ptr != end || n <= 0) return {};
  std::string out;
  while (n > 0) {
    out.insert(out.begin(), kDigits[n % base]);
    n /= base;
  }
  return out;
}

}  // namespace bus
