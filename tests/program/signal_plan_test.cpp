#include "program/signal_plan.h"

#include <gtest/gtest.h>

#include "model_fixture.h"

namespace program {

using namespace testing;

TEST(SignalPlan, LaysThePlayedStepsEndToEndAndMergesEqualStatesFlashRecordsPlayOneStep) {
  // Step 2 has no duration: it is never played, so its flashing group 3 has no row.
  RecordSteps steps = Steps({{10, G, R}, {0, R, G, FY}, {3, Y, R}, {2, R, RY}, {8, R, G}});
  steps[5][32] = 12;
  const SignalPlan plan = BuildSignalPlan(steps, 2, 4);
  EXPECT_EQ(plan.cycleSeconds, 23);
  EXPECT_EQ(plan.steps, (std::vector<PlanStep>{
                            {1, 10, 0, false}, {3, 3, 10, false}, {4, 2, 13, true}, {5, 8, 15, false}}));
  ASSERT_EQ(plan.rows.size(), 3u);
  EXPECT_EQ(std::vector({plan.rows[0].group, plan.rows[1].group, plan.rows[2].group}),
            std::vector({1, 2, 32}));
  EXPECT_EQ(plan.rows[0].intervals,
            (std::vector<PlanInterval>{{0, 10, G, 1}, {10, 13, Y, 3}, {13, 23, R, 4}}));
  EXPECT_EQ(plan.rows[2].intervals, (std::vector<PlanInterval>{{0, 15, 0, 1}, {15, 23, 12, 5}}));

  const SignalPlan flash = BuildSignalPlan(Steps({{1, FY, FY}, {5, R, R}}), 0);
  EXPECT_EQ(std::tuple(flash.steps.size(), flash.rows.size(), flash.cycleSeconds), std::tuple(1u, 2u, 1));

  const SignalPlan none = BuildSignalPlan(Steps({{0, G, R}}), 2);
  EXPECT_TRUE(none.cycleSeconds == 0 && none.steps.empty() && none.rows.empty());
}

}  // namespace program
