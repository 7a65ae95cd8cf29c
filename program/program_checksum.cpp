#include "program/program_checksum.h"

#include "program/memory_map.h"

namespace program {

std::uint16_t ProgramChecksum(const ProgramImage& image) {
  std::uint32_t sum = 0;
  for (std::size_t a = 0; a < kChecksumAddress; ++a) sum += image[a];
  return static_cast<std::uint16_t>(sum & 0xFFFF);
}

void WriteProgramChecksum(ProgramImage& image) {
  const std::uint16_t sum = ProgramChecksum(image);
  image[kChecksumAddress] = static_cast<std::uint8_t>(sum >> 8);
  image[kChecksumAddress + 1] = static_cast<std::uint8_t>(sum & 0xFF);
}

}  // namespace program
