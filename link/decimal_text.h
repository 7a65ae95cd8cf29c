#pragma once
// Decimal texts of values that arrive as exact integers (hundredths of a volt,
// milliamperes), with the separator the caller's locale uses, so that no binary
// fraction ever decides a digit. No digit grouping: these texts go into tables and
// files that a program may read back.

#include <cstdint>
#include <string>

namespace bus {

// n / d to the nearest integer, halves away from zero; 0 for a d that is not positive.
std::int64_t RoundedDiv(std::int64_t n, std::int64_t d);

// scaled / 10^decimals with exactly `decimals` digits after the separator (0 to 9).
std::string DecimalText(std::int64_t scaled, int decimals, char separator);

// The same without trailing zeros, and without the separator for a whole number
// (23050 hundredths give "230,5", 5000 give "50").
std::string ShortDecimalText(std::int64_t scaled, int decimals, char separator);

}  // namespace bus
