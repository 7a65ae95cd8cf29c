#pragma once
// The ProgramImage as text lines of 16 bytes, "P" + address + ":" + 32 hex digits,
// the same line form as the project file.

#include <cstddef>
#include <string>

#include "program/program_image.h"

namespace monitor {

inline constexpr int kBufferLineBytes = 16;
inline constexpr int kBufferLines = static_cast<int>(program::kProgramImageSize) / kBufferLineBytes;
inline constexpr int kBufferLineChars = 1 + 4 + 1 + 2 * kBufferLineBytes;

// Line `index` (0..kBufferLines-1) of the image; "" for an index outside.
std::string BufferLine(const program::ProgramImage& image, int index);

}  // namespace monitor
