#include "monitor/number_text.h"

#include <cstdlib>

namespace monitor {

namespace {

// Digits of a non-negative magnitude. Kept unsigned so that INT64_MIN has a magnitude.
std::string Digits(std::uint64_t magnitude, int minDigits) {
  std::string out;
  do {
    out.insert(out.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (static_cast<int>(out.size()) < minDigits) {
    out.insert(0, static_cast<std::size_t>(minDigits) - out.size(), '0');
  }
  return out;
}

std::uint64_t Magnitude(std::int64_t v) {
  return v < 0 ? static_cast<std::uint64_t>(-(v + 1)) + 1 : static_cast<std::uint64_t>(v);
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

std::uint64_t PowerOfTen(int n) {
  std::uint64_t p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

}  // namespace

std::int64_t RoundedQuotient(std::int64_t n, std::int64_t d) {
  if (d <= 0) return 0;
  const std::uint64_t m = Magnitude(n);
  const std::uint64_t ud = static_cast<std::uint64_t>(d);
  const std::uint64_t q = m / ud + ((m % ud) * 2 >= ud ? 1 : 0);
  return n < 0 ? -static_cast<std::int64_t>(q) : static_cast<std::int64_t>(q);
}

std::string FixedText(std::int64_t scaled, int decimals, bool grouped,
                      const NumberSeparators& separators) {
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  const std::uint64_t m = Magnitude(scaled);
  const std::uint64_t p = PowerOfTen(decimals);
  std::string out = scaled < 0 ? "-" : "";
  const std::string whole = Digits(m / p, 1);
  out += grouped ? Grouped(whole, separators.group) : whole;
  if (decimals > 0) out += separators.decimal + Digits(m % p, decimals);
  return out;
}

std::string HundredthsText(std::int64_t hundredths, const NumberSeparators& separators) {
  const std::uint64_t m = Magnitude(hundredths);
  std::string out = hundredths < 0 ? "-" : "";
  out += Digits(m / 100, 1);
  std::string fraction = Digits(m % 100, 2);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) out += separators.decimal + fraction;
  return out;
}

std::string ZeroPadded(std::int64_t value, int width) {
  return (value < 0 ? "-" : "") + Digits(Magnitude(value), width);
}

}  // namespace monitor
