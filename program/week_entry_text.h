#pragma once
// The ten-character text of one weekly switching entry, "07:05 P-03", as the weekly
// grid and its entry widget show it, and reading such a text into its parts.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "program/week_entry.h"

namespace program {

// Hour and minute with at least two digits, " P-", then the program code's text:
// "01"-"08", "YB", "DE", "FL", "--" for 0 and codes above 17, nothing for 11-16.
std::string WeekCellText(std::uint8_t hour, std::uint8_t minute, std::uint8_t code);

// The parts of an entry text; a part that is missing or does not read as a byte
// value (or, for the code, one of the code words) is empty. The parts are found by
// the ':' and " P-" around them, so an hour of 100 or more, which takes three
// characters, cannot shift the minute and the code.
struct WeekCellParts {
  std::optional<std::uint8_t> hour;
  std::optional<std::uint8_t> minute;
  std::optional<std::uint8_t> code;
};
WeekCellParts ParseWeekCellText(std::string_view text);

// The text of an entry; an entry without a code ends after " P-", as codes 11 to 16 do.
std::string WeekCellText(const WeekEntry& entry);

}  // namespace program
