#include "sim/event_log_area.h"

#include <algorithm>

#include "program/memory_map.h"

namespace sim {
namespace {
using program::kEventLogAddress;
using program::kEventLogSlots;
using program::kEventLogTotalAddress;
using program::kEventRecordBytes;

void PutWord(program::ProgramImage& m, std::size_t at, std::uint32_t value) {
  m[at] = static_cast<std::uint8_t>(value >> 8);
  m[at + 1] = static_cast<std::uint8_t>(value);
}
}  // namespace

std::uint16_t LogTotal(const program::ProgramImage& m) {
  return static_cast<std::uint16_t>(m[kEventLogTotalAddress] << 8 | m[kEventLogTotalAddress + 1]);
}

void AppendLog(program::ProgramImage& m, const LogEntry& e, const bus::DateTime& when) {
  const std::uint16_t total = LogTotal(m);
  // The total comes from memory the PC may have written; the modulo keeps the slot
  // inside the log whatever it holds.
  const std::size_t at = kEventLogAddress + (total % kEventLogSlots) * kEventRecordBytes;
  // Number 0 marks an empty slot, so numbering starts again at 1 after 65535.
  PutWord(m, at, total % 0xFFFF + 1u);
  PutWord(m, at + 2, static_cast<std::uint32_t>(when.year));
  m[at + 4] = static_cast<std::uint8_t>(when.month);
  m[at + 5] = static_cast<std::uint8_t>(when.day);
  m[at + 6] = static_cast<std::uint8_t>(when.hour);
  m[at + 7] = static_cast<std::uint8_t>(when.minute);
  m[at + 8] = static_cast<std::uint8_t>(when.second);
  m[at + 9] = e.type;
  m[at + 10] = e.code;
  m[at + 11] = e.source;
  PutWord(m, at + 12, e.detailA);
  PutWord(m, at + 14, e.detailB);
  PutWord(m, kEventLogTotalAddress, total == 0xFFFF ? total : total + 1u);
}

void ClearLog(program::ProgramImage& m) {
  std::fill(m.begin() + kEventLogAddress, m.begin() + kEventLogTotalAddress + 2, std::uint8_t{0});
}

}  // namespace sim
