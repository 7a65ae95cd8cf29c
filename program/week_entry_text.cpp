#include "program/week_entry_text.h"

#include <cstdio>

#include "program/memory_map.h"
#include "program/week_program_codes.h"

namespace program {

namespace {

// Decimal digits only, 0 to 255.
std::optional<std::uint8_t> ByteNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 3) return std::nullopt;
  int value = 0;
  for (char ch : digits) {
    if (ch < '0' || ch > '9') return std::nullopt;
    value = value * 10 + (ch - '0');
  }
  if (value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

std::optional<std::uint8_t> CodeOfText(std::string_view text) {
  if (text == "--") return kWeekNoProgram;
  if (text == "YB") return kWeekPedestrian;
  if (text == "DE") return kWeekDetector;
  if (text == "FL") return kWeekFlash;
  return ByteNumber(text);
}

bool InTable(int day, int entry) {
  return day >= 0 && day < static_cast<int>(kWeekTableDays) && entry >= 0 &&
         entry < static_cast<int>(kWeekEntries);
}

constexpr std::string_view kCodeMark = " P-";

}  // namespace

std::string WeekCellText(std::uint8_t hour, std::uint8_t minute, std::uint8_t code) {
  char time[16];
  std::snprintf(time, sizeof time, "%02u:%02u", static_cast<unsigned>(hour),
                static_cast<unsigned>(minute));
  std::string text = time;
  text += kCodeMark;
  text += WeekProgramText(code);
  return text;
}

WeekCellParts ParseWeekCellText(std::string_view text) {
  WeekCellParts parts;
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return parts;
  parts.hour = ByteNumber(text.substr(0, colon));
  const std::size_t mark = text.find(kCodeMark, colon + 1);
  if (mark == std::string_view::npos) {
    parts.minute = ByteNumber(text.substr(colon + 1));
    return parts;
  }
  parts.minute = ByteNumber(text.substr(colon + 1, mark - colon - 1));
  parts.code = CodeOfText(text.substr(mark + kCodeMark.size()));
  return parts;
}

std::string WeekEntryCellText(const EditorModel& model, int day, int entry) {
  if (!InTable(day, entry)) return {};
  const auto& d = model.WeekTable[static_cast<std::size_t>(day)];
  const std::size_t at = kWeekEntryBytes * static_cast<std::size_t>(entry);
  return WeekCellText(d[at], d[at + 1], d[at + 2]);
}

void StoreWeekEntryCellText(EditorModel& model, int day, int entry, std::string_view text) {
  if (!InTable(day, entry)) return;
  auto& d = model.WeekTable[static_cast<std::size_t>(day)];
  const std::size_t at = kWeekEntryBytes * static_cast<std::size_t>(entry);
  const WeekCellParts parts = ParseWeekCellText(text);
  d[at] = parts.hour.value_or(d[at]);
  d[at + 1] = parts.minute.value_or(d[at + 1]);
  d[at + 2] = parts.code.value_or(d[at + 2]);
}

}  // namespace program
