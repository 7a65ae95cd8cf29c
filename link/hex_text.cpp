#include "link/hex_text.h"

namespace bus {
namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

std::string ByteToHex2(std::uint8_t value) { return std::string{kDigits[value >> 4], kDigits[value & 0x0F]}; }

std::string WordToHex4(std::int32_t value) {
  if (value < 0 || value > 0xFFFF) return {};
  return std::string{kDigits[(value >> 12) & 0xF], kDigits[(value >> 8) & 0xF], kDigits[(value >> 4) & 0xF],
                     kDigits[value & 0xF]};
}

std::string HexNoLeadingZeros(std::uint32_t value) {
  std::string out;
  do {
    out.insert(out.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return out;
}

}  // namespace bus
