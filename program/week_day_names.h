#pragma once
// Names of the weekly table's days for texts built outside the weekly grid. Day 0 is
// the grid's first column, the first day of the system's week; the grid takes the
// names from the PC's language, and a caller can hand the same names to the cores.

#include <array>
#include <string>

namespace program {

using WeekDayNames = std::array<std::string, 7>;

// The Turkish week, Monday first.
inline WeekDayNames TurkishWeekDayNames() {
  return {"Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma", "Cumartesi", "Pazar"};
}

}  // namespace program
