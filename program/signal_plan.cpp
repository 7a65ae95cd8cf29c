#include "program/signal_plan.h"

#include "program/memory_map.h"
#include "program/played_steps.h"

namespace program {

SignalPlan BuildSignalPlan(const RecordSteps& groups, std::size_t record, int waitingStep) {
  SignalPlan plan;
  const std::vector<PlayedStep> played = PlayedSteps(groups, record);
  plan.steps.reserve(played.size());
  for (const PlayedStep& p : played) {
    plan.steps.push_back({p.step, p.seconds, plan.cycleSeconds, p.step == waitingStep});
    plan.cycleSeconds += p.seconds;
  }

  for (std::size_t g = 1; g <= kSignalGroups; ++g) {
    PlanRow row{static_cast<int>(g), {}};
    bool lit = false;
    for (const PlanStep& s : plan.steps) {
      const std::uint8_t code = groups[static_cast<std::size_t>(s.step)][g];
      lit = lit || code != 0;
      if (!row.intervals.empty() && row.intervals.back().code == code) {
        row.intervals.back().end = s.start + s.seconds;
      } else {
        row.intervals.push_back({s.start, s.start + s.seconds, code, s.step});
      }
    }
    if (lit) plan.rows.push_back(std::move(row));
  }
  return plan;
}

}  // namespace program
