#pragma once
// Number texts of the monitoring panels, written with the PC's separators but without
// Qt, so that the rounding and grouping rules can be tested on their own. Values
// arrive as exact integers (hundredths, milliamperes), so no binary fraction ever
// decides a rounding.

#include <cstdint>
#include <string>

namespace monitor {

struct NumberSeparators {
  std::string decimal = ".";
  std::string group = ",";
};

// n / d to the nearest integer, halves away from zero (the rounding of the tool's
// display formats). d must be positive.
std::int64_t RoundedQuotient(std::int64_t n, std::int64_t d);

// scaled / 10^decimals with exactly `decimals` digits after the separator; `grouped`
// puts the group separator between thousands ("##,##0.00" is decimals 2, grouped).
std::string FixedText(std::int64_t scaled, int decimals, bool grouped,
                      const NumberSeparators& separators);

// hundredths / 100 in its shortest form: no trailing zeros, no separator for a whole
// number, no grouping (23050 gives 230.5, 5000 gives 50, 5 gives 0.05).
std::string HundredthsText(std::int64_t hundredths, const NumberSeparators& separators);

// Decimal digits, at least `width` of them with leading zeros (1 gives "01" for width 2;
// wider values are never cut).
std::string ZeroPadded(std::int64_t value, int width);

}  // namespace monitor
