#pragma once
// The controller's event log as it lies in the top 4 KB of its memory after a read:
// 255 records of 16 bytes from 0xF000 and a running total at 0xFFF0.

#include <cstdint>
#include <string>
#include <vector>

#include "program/program_image.h"

namespace bus {

inline constexpr std::size_t kEventLogFirstSlot = 0xF000;
inline constexpr std::size_t kEventLogSlots = 255;
inline constexpr std::size_t kEventLogTotalAddress = 0xFFF0;

// One text line per occupied slot, oldest slot first, as the alarm list shows them.
std::vector<std::string> DecodeEventLog(const program::ProgramImage& image);

// The line of the record at `address` (a slot start); empty for an empty slot.
std::string EventLogLine(const program::ProgramImage& image, std::size_t address);

std::uint16_t EventLogTotal(const program::ProgramImage& image);

}  // namespace bus
