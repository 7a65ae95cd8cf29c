#pragma once
// The checksum a program download stores in the image before sending it, so that the
// controller can tell a whole program from a damaged one.

#include <cstdint>

#include "program/program_image.h"

namespace program {

// The byte sum of 0x0000 to 0xAFFF, modulo 65536.
std::uint16_t ProgramChecksum(const ProgramImage& image);

// Stores ProgramChecksum big-endian at 0xB000 and 0xB001.
void WriteProgramChecksum(ProgramImage& image);

}  // namespace program
