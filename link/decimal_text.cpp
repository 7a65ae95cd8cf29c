#include "link/decimal_text.h"

#include <algorithm>

namespace bus {
namespace {

std::uint64_t Magnitude(std::int64_t v) {
  return v < 0 ? static_cast<std::uint64_t>(-(v + 1)) + 1 : static_cast<std::uint64_t>(v);
}

}  // namespace

std::int64_t RoundedDiv(std::int64_t n, std::int64_t d) {
  if (d <= 0) return 0;
  const std::uint64_t m = Magnitude(n);
  const auto ud = static_cast<std::uint64_t>(d);
  const std::uint64_t q = m / ud + ((m % ud) >= ud - m % ud ? 1 : 0);
  return n < 0 ? -static_cast<std::int64_t>(q) : static_cast<std::int64_t>(q);
}

std::string DecimalText(std::int64_t scaled, int decimals, char separator) {
  decimals = std::clamp(decimals, 0, 9);
  std::uint64_t power = 1;
  for (int i = 0; i < decimals; ++i) power *= 10;
  const std::uint64_t m = Magnitude(scaled);
  std::string out = scaled < 0 ? "-" : "";
  out += std::to_string(m / power);
  if (decimals > 0) {
    const std::string fraction = std::to_string(m % power);
    out += separator;
    out.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
    out += fraction;
  }
  return out;
}

std::string ShortDecimalText(std::int64_t scaled, int decimals, char separator) {
  std::string out = DecimalText(scaled, decimals, separator);
  if (out.find(separator) == std::string::npos) return out;
  while (out.back() == '0') out.pop_back();
  if (out.back() == separator) out.pop_back();
  return out;
}

}  // namespace bus
