#include "program/step_packing.h"

#include <cstdint>

#include "program/memory_map.h"

namespace program {

namespace {
constexpr std::size_t kConvertedSteps = 100;  // steps 0 to 99
}

void ExpandSteps(EditorModel& model) {
  for (std::size_t x = 0; x < kRecordCount; ++x) {
    for (std::size_t s = 0; s < kConvertedSteps; ++s) {
      const StepRow& packed = model.PgmSteps[x][s];
      StepRow& groups = model.PgmGroups[x][s];
      groups[0] = packed[0];
      for (std::size_t k = 0; k < kStateBytes; ++k) {
        const std::uint8_t b = packed[k + 1];
        groups[2 * k + 1] = static_cast<std::uint8_t>(b >> 4);
        groups[2 * k + 2] = static_cast<std::uint8_t>(b & 0x0F);
      }
    }
  }
}

void CompactSteps(EditorModel& model) {
  for (std::size_t x = 0; x < kRecordCount; ++x) {
    for (std::size_t s = 0; s < kConvertedSteps; ++s) {
      const StepRow& groups = model.PgmGroups[x][s];
      StepRow& packed = model.PgmSteps[x][s];
      packed[0] = groups[0];
      for (std::size_t k = 0; k < kStateBytes; ++k) {
        packed[k + 1] =
            static_cast<std::uint8_t>(((groups[2 * k + 1] & 0x0F) << 4) | (groups[2 * k + 2] & 0x0F));
      }
    }
  }
}

}  // namespace program
