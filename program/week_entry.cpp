#include "program/week_entry.h"

#include "program/memory_map.h"
#include "program/week_program_codes.h"

namespace program {

namespace {

bool InTable(int day, int entry) {
  return day >= 0 && day < static_cast<int>(kWeekTableDays) && entry >= 0 &&
         entry < static_cast<int>(kWeekEntries);
}

std::size_t EntryAt(int entry) { return kWeekEntryBytes * static_cast<std::size_t>(entry); }

}  // namespace

WeekEntry ReadWeekEntry(const EditorModel& model, int day, int entry) {
  if (!InTable(day, entry)) return {};
  const auto& d = model.WeekTable[static_cast<std::size_t>(day)];
  const std::size_t at = EntryAt(entry);
  return {d[at], d[at + 1], d[at + 2]};
}

void StoreWeekEntry(EditorModel& model, int day, int entry, const WeekEntry& value) {
  if (!InTable(day, entry)) return;
  auto& d = model.WeekTable[static_cast<std::size_t>(day)];
  const std::size_t at = EntryAt(entry);
  d[at] = value.hour;
  d[at + 1] = value.minute;
  if (value.code) d[at + 2] = *value.code > kWeekFlash ? kWeekNoProgram : *value.code;
}

}  // namespace program
