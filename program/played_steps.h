#pragma once
// Which steps of a record the controller plays, and in what order: the steps with a
// duration of 1 second or more, from the first to the last playable step, then again
// from the first. A step of duration 0 is passed over, never shown.

#include <cstddef>
#include <vector>

#include "program/editor_model.h"

namespace program {

// A flash record holds one step (the durations its layout puts after it are padding);
// a program record plays steps 1 to 99, the steps the editor model converts.
int LastPlayableStep(std::size_t record);

struct PlayedStep {
  int step = 0;     // 1 to LastPlayableStep
  int seconds = 0;  // 1 to 255
  bool operator==(const PlayedStep&) const = default;
};

// The played steps of a record in PgmGroups layout (column 0 the duration), in order;
// empty when no step has a duration.
std::vector<PlayedStep> PlayedSteps(const RecordSteps& groups, std::size_t record);

}  // namespace program
