#pragma once
// Program codes of the weekly switching table and the text the weekly grid shows for
// each of them.

#include <cstdint>
#include <string_view>

namespace program {

inline constexpr std::uint8_t kWeekNoProgram = 0;
inline constexpr std::uint8_t kWeekPedestrian = 9;
inline constexpr std::uint8_t kWeekDetector = 10;
inline constexpr std::uint8_t kWeekFlash = 17;

// "--" for no program and for codes above 17, "01"-"08" for Program1-Program8, "YB",
// "DE", "FL", and nothing for the codes 11-16 that have no meaning.
constexpr std::string_view WeekProgramText(std::uint8_t code) {
  constexpr std::string_view kPrograms[] = {"01", "02", "03", "04", "05", "06", "07", "08"};
  if (code >= 1 && code <= 8) return kPrograms[code - 1];
  if (code == kWeekPedestrian) return "YB";
  if (code == kWeekDetector) return "DE";
  if (code == kWeekFlash) return "FL";
  if (code > 10 && code < 17) return {};
  return "--";
}

}  // namespace program
