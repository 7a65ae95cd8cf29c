#pragma once
// One weekly switching entry as the editor holds it: the time and the program that
// starts at it, read from and stored into the weekly table of the editor model.

#include <cstdint>
#include <optional>

#include "program/editor_model.h"

namespace program {

struct WeekEntry {
  std::uint8_t hour = 0;
  std::uint8_t minute = 0;
  // The program code; none where an edit left the code alone, so that the stored one
  // stays (the entry widget cannot show the codes 11 to 16).
  std::optional<std::uint8_t> code = 0;
  bool operator==(const WeekEntry&) const = default;
};

// Entry e (0-15) of day d (0-6); an empty entry outside the table.
WeekEntry ReadWeekEntry(const EditorModel& model, int day, int entry);

// Stores the entry's time and code into entry e of day d. A code of 18 or more, which
// names no program and shows as "--", is stored as 0, no program. The fourth byte of
// the entry is never touched; outside the table nothing is stored.
void StoreWeekEntry(EditorModel& model, int day, int entry, const WeekEntry& value);

}  // namespace program
