#pragma once
// The controller's side of the event log in its memory (program/memory_map.h places
// it): writing records into the ring of slots and counting them.

#include <cstdint>

#include "link/clock.h"
#include "program/program_image.h"

namespace sim {

struct LogEntry {
  std::uint8_t type = 0;  // 0 event, 1 card fault
  std::uint8_t code = 0;
  std::uint8_t source = 0;  // 0 processor, 1..8 output cards, 9 detector, 10 GPS, 11 PSU
  std::uint16_t detailA = 0;
  std::uint16_t detailB = 0;
};

// Event codes the controller writes.
namespace event {
inline constexpr std::uint8_t kCpuReset = 1;
inline constexpr std::uint8_t kPowerOn = 3;
inline constexpr std::uint8_t kClockSet = 5;
inline constexpr std::uint8_t kProgramLoaded = 6;
}  // namespace event
inline constexpr std::uint8_t kFaultRedFilament = 6;
inline constexpr std::uint8_t kFaultProgramMemory = 12;

std::uint16_t LogTotal(const program::ProgramImage& memory);
// Writes the next record into the ring of slots and counts it in the total.
void AppendLog(program::ProgramImage& memory, const LogEntry& entry, const bus::DateTime& when);
void ClearLog(program::ProgramImage& memory);

}  // namespace sim
