#include "monitor/buffer_lines.h"

namespace monitor {

std::string BufferLine(const program::ProgramImage& image, int index) {
  if (index < 0 || index >= kBufferLines) return {};
  static constexpr char kHex[] = "0123456789ABCDEF";
  const auto address = static_cast<unsigned>(index * kBufferLineBytes);
  std::string line(kBufferLineChars, ' ');
  line[0] = 'P';
  for (int i = 0; i < 4; ++i) line[1 + static_cast<std::size_t>(i)] = kHex[(address >> (12 - 4 * i)) & 0xF];
  line[5] = ':';
  for (int b = 0; b < kBufferLineBytes; ++b) {
    const std::uint8_t v = image[address + static_cast<unsigned>(b)];
    line[6 + 2 * static_cast<std::size_t>(b)] = kHex[v >> 4];
    line[7 + 2 * static_cast<std::size_t>(b)] = kHex[v & 0xF];
  }
  return line;
}

}  // namespace monitor
