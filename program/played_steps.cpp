#include "program/played_steps.h"

#include "program/record_names.h"

namespace program {

int LastPlayableStep(std::size_t record) { return IsFlashRecord(record) ? 1 : 99; }

std::vector<PlayedStep> PlayedSteps(const RecordSteps& groups, std::size_t record) {
  std::vector<PlayedStep> steps;
  const int last = LastPlayableStep(record);
  for (int s = 1; s <= last; ++s) {
    const int seconds = groups[static_cast<std::size_t>(s)][0];
    if (seconds >= 1) steps.push_back({s, seconds});
  }
  return steps;
}

}  // namespace program
