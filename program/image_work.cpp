#include "program/image_work.h"

#include <algorithm>

#include "program/memory_map.h"

namespace program {

bool WorkDiffers(const ProgramImage& a, const ProgramImage& b) {
  constexpr std::size_t kChecksumEnd = kChecksumAddress + 2;
  const auto differ = [&](std::size_t from, std::size_t to) {
    return !std::equal(a.begin() + from, a.begin() + to, b.begin() + from);
  };
  return differ(0, kChecksumAddress) || differ(kChecksumEnd, kEventLogAddress);
}

}  // namespace program
