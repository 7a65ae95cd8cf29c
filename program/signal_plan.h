#pragma once
// A program record as a signal plan: the played steps laid end to end over one
// cycle, and for every signal group that is ever lit its states as time intervals.
// The plan drawing and the program checks read programs this way; how each code is
// drawn is SignalStateLook's matter.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "program/editor_model.h"

namespace program {

struct PlanStep {
  int step = 0;          // step number in the grid, 1 to 99
  int seconds = 0;       // its duration, 1 to 255
  int start = 0;         // seconds from the start of the cycle
  bool waiting = false;  // the detector phase's waiting step
  bool operator==(const PlanStep&) const = default;
};

// [start, end) seconds of one state; firstStep is the step it begins in.
struct PlanInterval {
  int start = 0;
  int end = 0;
  std::uint8_t code = 0;
  int firstStep = 0;
  bool operator==(const PlanInterval&) const = default;
};

struct PlanRow {
  int group = 0;  // 1 to 32
  // Tile [0, cycleSeconds) in order; neighbouring steps with the same code make one
  // interval. Dark stretches are intervals of code 0.
  std::vector<PlanInterval> intervals;
};

struct SignalPlan {
  std::vector<PlanStep> steps;  // the played steps, in order
  int cycleSeconds = 0;         // 0 when no step has a duration
  std::vector<PlanRow> rows;    // groups not dark in some played step, ascending
};

// The plan of a record in PgmGroups layout (the model's or a grid's copy). Steps of
// duration 0 are not played and do not appear; waitingStep (PgmSettings byte 0, 0 =
// none) only marks its step, since its stored duration is what the cycle holds
// without a detector call.
SignalPlan BuildSignalPlan(const RecordSteps& groups, std::size_t record, int waitingStep = 0);

}  // namespace program
