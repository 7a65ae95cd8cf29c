#include "link/number_text.h"

#include <algorithm>

namespace bus {

namespace {

// Kept unsigned so that INT64_MIN has a magnitude.
std::uint64_t Magnitude(std::int64_t v) {
  return v < 0 ? static_cast<std::uint64_t>(-(v + 1)) + 1 : static_cast<std::uint64_t>(v);
}

std::string Digits(std::uint64_t magnitude, int minDigits) {
  std::string out = std::to_string(magnitude);
  if (static_cast<int>(out.size()) < minDigits)
    out.insert(0, static_cast<std::size_t>(minDigits) - out.size(), '0');
  return out;
}

std::string Grouped(const std::string& digits, const std::string& group) {
  if (group.empty() || digits.size() <= 3) return digits;
  std::string out;
  const std::size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
  out.append(digits, 0, lead);
  for (std::size_t i = lead; i < digits.size(); i += 3) {
    out += group;
    out.append(digits, i, 3);
  }
  return out;
}

}  // namespace

std::int64_t RoundedQuotient(std::int64_t n, std::int64_t d) {
  if (d <= 0) return 0;
  const std::uint64_t m = Magnitude(n);
  const auto ud = static_cast<std::uint64_t>(d);
  const std::uint64_t rest = m % ud;
  const std::uint64_t q = m / ud + (rest >= ud - rest ? 1 : 0);
  return n < 0 ? -static_cast<std::int64_t>(q) : static_cast<std::int64_t>(q);
}

std::string FixedText(std::int64_t scaled, int decimals, bool grouped, const NumberSeparators& separators) {
  decimals = std::clamp(decimals, 0, 18);
  std::uint64_t power = 1;
  for (int i = 0; i < decimals; ++i) power *= 10;
  const std::uint64_t m = Magnitude(scaled);
  std::string out = scaled < 0 ? "-" : "";
  const std::string whole = Digits(m / power, 1);
  out += grouped ? Grouped(whole, separators.group) : whole;
  if (decimals > 0) out += separators.decimal + Digits(m % power, decimals);
  return out;
}

std::string ShortFixedText(std::int64_t scaled, int decimals, const NumberSeparators& separators) {
  std::string out = FixedText(scaled, decimals, false, separators);
  decimals = std::clamp(decimals, 0, 18);
  // Without a separator the fraction's zeros are digits of the number.
  if (decimals == 0 || separators.decimal.empty()) return out;
  const std::size_t fraction = out.size() - static_cast<std::size_t>(decimals);
  std::size_t end = out.size();
  while (end > fraction && out[end - 1] == '0') --end;
  if (end == fraction) end -= separators.decimal.size();
  out.resize(end);
  return out;
}

std::string ZeroPadded(std::int64_t value, int width) {
  return (value < 0 ? "-" : "") + Digits(Magnitude(value), width);
}

}  // namespace bus
