#pragma once
// The controller's event log as it lies in the top 4 KB of its memory after a read
// (program/memory_map.h places it), as text lines.

#include <cstdint>
#include <string>
#include <vector>

#include "program/program_image.h"

namespace bus {

// One text line per occupied slot, oldest slot first, as the alarm list shows them.
std::vector<std::string> DecodeEventLog(const program::ProgramImage& image);

// The line of the record at `address` (a slot start); empty for an empty slot.
std::string EventLogLine(const program::ProgramImage& image, std::size_t address);

std::uint16_t EventLogTotal(const program::ProgramImage& image);

}  // namespace bus
