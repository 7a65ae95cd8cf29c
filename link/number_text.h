#pragma once
// Decimal texts of values that arrive as exact integers (hundredths of a volt,
// milliamperes), so that no binary fraction ever decides a digit: the panels, the
// bus monitor, the trend files and kx7140ctl all write their numbers here. The
// separators are the caller's (the PC's locale, or a file's fixed ones).

#include <cstdint>
#include <string>

namespace bus {

struct NumberSeparators {
  std::string decimal = ".";
  std::string group = ",";
};

// n / d to the nearest integer, halves away from zero; 0 for a d that is not positive.
std::int64_t RoundedQuotient(std::int64_t n, std::int64_t d);

// scaled / 10^decimals with exactly `decimals` digits (0 to 18) after the separator;
// `grouped` puts the group separator between thousands ("##,##0.00" is decimals 2,
// grouped).
std::string FixedText(std::int64_t scaled, int decimals, bool grouped, const NumberSeparators& separators);

// The same in its shortest form, never grouped: no trailing zeros, no separator for a
// whole number (23050 hundredths give "230.5", 5000 give "50", 5 give "0.05").
std::string ShortFixedText(std::int64_t scaled, int decimals, const NumberSeparators& separators);

// Decimal digits, at least `width` of them with leading zeros (1 gives "01" for width 2;
// wider values are never cut).
std::string ZeroPadded(std::int64_t value, int width);

}  // namespace bus
