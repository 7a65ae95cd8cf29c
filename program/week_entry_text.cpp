#include "program/week_entry_text.h"

#include <cstdio>

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

constexpr std::string_view kCodeMark = " P-";

std::string TimeAndMark(std::uint8_t hour, std::uint8_t minute) {
  char time[16];
  std::snprintf(time, sizeof time, "%02u:%02u", static_cast<unsigned>(hour), static_cast<unsigned>(minute));
  return time + std::string(kCodeMark);
}

}  // namespace

std::string WeekCellText(std::uint8_t hour, std::uint8_t minute, std::uint8_t code) {
  return TimeAndMark(hour, minute) + std::string(WeekProgramText(code));
}

std::string WeekCellText(const WeekEntry& entry) {
  if (!entry.code) return TimeAndMark(entry.hour, entry.minute);
  return WeekCellText(entry.hour, entry.minute, *entry.code);
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

}  // namespace program
