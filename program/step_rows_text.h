#pragma once
// Whole step rows as clipboard text: a line per step, the duration and then the codes
// of signal groups 1 to 32, separated by tabs, so that steps move between programs,
// projects and a spreadsheet alike.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program/editor_model.h"

namespace program {

// More rows than a program has steps are never taken.
inline constexpr std::size_t kMaxStepRowsText = 100;

std::string StepRowsText(const std::vector<StepRow>& rows);

// The rows of such a text, or nothing unless every line is a step row: 33 whole
// numbers, a duration of 0 to 255 and codes of 0 to 15. Line ends may be CR LF or LF;
// an empty last line is no row.
std::optional<std::vector<StepRow>> ParseStepRowsText(std::string_view text);

}  // namespace program
