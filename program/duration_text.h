#pragma once
// Reading a step duration typed by the user: seconds 0 to 255, the one byte the
// controller keeps per step.

#include <cstdint>
#include <optional>
#include <string_view>

namespace program {

// The whole-number part of the number in the text, when it is 0 to 255. Blanks
// around the number and a fractional part after '.' or ',' are allowed; a sign, an
// empty text, a word or a larger value give nothing, and the duration stays as it was.
std::optional<std::uint8_t> ParseDurationText(std::string_view text);

}  // namespace program
