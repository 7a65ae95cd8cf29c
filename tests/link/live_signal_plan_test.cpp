#include "link/live_signal_plan.h"

#include <gtest/gtest.h>

#include <array>

using Intervals = std::vector<program::PlanInterval>;

// Lamp words of card 1, one per PC turn (200 ms): group 1 is channel 0, group 2 channel 1.
TEST(LiveSignalPlan, RealStepsFromTheLampWordsAndOnOffAsFlashing) {
  bus::TrendStore store;
  bus::RegisterImage regs;
  std::int64_t t = 0;
  const auto hold = [&](int lamps, int seconds) {
    regs.TriacCardRegs[0][bus::card_word::kLamps] = lamps;
    for (int i = 0; i < seconds * 5; ++i, t += 200'000) store.Record(t, regs);
  };
  hold(0x0041, 10);              // group 1 red, group 2 green
  hold(0x0021, 3);               // group 2 yellow
  hold(0x0014, 10);              // group 1 green, group 2 red
  for (int i = 0; i < 4; ++i) {  // both dark, group 1 yellow on and off every second
    hold(0x0002, 1);
    hold(0x0000, 1);
  }
  hold(0x0000, 1);

  const program::SignalPlan plan = bus::LiveSignalPlan(store, 0, 32'000'000, 1);
  ASSERT_EQ(plan.rows.size(), 2u) << "only the groups that are lit";
  // The first second of the flashing is one change only: it shows as it was lit.
  EXPECT_EQ(plan.rows[0].intervals,
            (Intervals{{0, 13, 1, 1}, {13, 23, 4, 3}, {23, 24, 2, 4}, {24, 30, 10, 5}, {30, 32, 0, 6}}));
  EXPECT_EQ(plan.rows[1].intervals,
            (Intervals{{0, 10, 4, 1}, {10, 13, 2, 2}, {13, 23, 1, 3}, {23, 32, 0, 4}}));
  EXPECT_EQ(std::tuple(plan.steps.size(), plan.steps[1].start, plan.steps[1].seconds), std::tuple(6u, 10, 3));

  // Wider cells keep the state that held longest; nothing past the recording is lit.
  const program::SignalPlan coarse = bus::LiveSignalPlan(store, 0, 40'000'000, 5);
  std::vector<std::array<int, 3>> group2;
  for (const auto& in : coarse.rows[1].intervals) group2.push_back({in.start, in.end, in.code});
  EXPECT_EQ(group2, (std::vector<std::array<int, 3>>{{0, 10, 4}, {10, 15, 2}, {15, 25, 1}, {25, 40, 0}}));
}
