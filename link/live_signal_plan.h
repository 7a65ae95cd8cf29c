#pragma once
// The 32 groups' real lamp states over a stretch of the recording, as a signal plan
// that draws like a programmed one: cells of whole seconds, each showing the state
// that held longest in it; a group that went on and off in one colour at least twice
// around a cell is flashing there. A "step" is a stretch in which no group changed,
// so the junction's real steps and their lengths read as the program's would.

#include <cstdint>

#include "link/trend_store.h"
#include "program/signal_plan.h"

namespace bus {

// [from, to) in cells of `cellSeconds` (at least 1); time without a recording is dark.
program::SignalPlan LiveSignalPlan(const TrendStore& store, std::int64_t from, std::int64_t to,
                                   int cellSeconds);

}  // namespace bus
