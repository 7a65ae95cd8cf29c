#pragma once
// The number texts of the trend files, in the form they call them: a one-character
// decimal separator and no digit grouping, written by number_text.

#include <cstdint>
#include <string>

#include "link/number_text.h"

namespace bus {

inline std::int64_t RoundedDiv(std::int64_t n, std::int64_t d) { return RoundedQuotient(n, d); }

inline std::string DecimalText(std::int64_t scaled, int decimals, char separator) {
  return FixedText(scaled, decimals, false, {std::string(1, separator), {}});
}

}  // namespace bus
