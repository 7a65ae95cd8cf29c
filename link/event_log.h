#pragma once
// The controller's event log as it lies in the top 4 KB of its memory after a read
// (program/memory_map.h places it), as text lines.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "program/program_image.h"

namespace bus {

// One record as the alarm list's columns "Alarm No", "Alarm Tarih", "Alarm Saat" and
// "Açıklama" show it, and its whole line as printed: "No:0012(2024/03/05 14:07:09)
// Triyak_3 Kartı: ..." is "No:0012", "(2024/03/05", "14:07:09)" and the description
// without the spaces at its end.
struct EventLogRecord {
  std::string no;
  std::string date;
  std::string time;
  std::string description;
  std::string line;
};

// The record at `address` (a slot start); nothing for an empty slot.
std::optional<EventLogRecord> EventLogRecordAt(const program::ProgramImage& image, std::size_t address);

// One record per occupied slot, oldest slot first.
std::vector<EventLogRecord> DecodeEventLogRecords(const program::ProgramImage& image);

// The records' whole lines.
std::vector<std::string> DecodeEventLog(const program::ProgramImage& image);

std::uint16_t EventLogTotal(const program::ProgramImage& image);

}  // namespace bus
