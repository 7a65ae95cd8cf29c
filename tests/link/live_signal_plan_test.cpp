#include "link/live_signal_plan.h"

#include <gtest/gtest.h>

#include "link/trend_series.h"

namespace {

constexpr std::int64_t kTurn = 200'000;

// Lamp words per PC turn: group 1 is channel 0 of card 1, group 2 channel 1.
struct Script {
  bus::TrendStore store;
  bus::RegisterImage regs;
  std::int64_t t = 0;
  void Hold(int lamps, double seconds) {
    for (int i = 0; i < static_cast<int>(seconds * 5 + 0.5); ++i) {
      regs.TriacCardRegs[0][bus::card_word::kLamps] = lamps;
      store.Record(t, regs);
      t += kTurn;
    }
  }
};

using Intervals = std::vector<program::PlanInterval>;

TEST(LiveSignalPlan, RealStepsFromTheLampWordsAndOnOffAsFlashing) {
  Script s;
  s.Hold(0x0041, 10);            // group 1 red, group 2 green
  s.Hold(0x0021, 3);             // group 2 yellow
  s.Hold(0x0014, 10);            // group 1 green, group 2 red
  for (int i = 0; i < 4; ++i) {  // both dark, group 1 yellow on and off every second
    s.Hold(0x0002, 1);
    s.Hold(0x0000, 1);
  }
  s.Hold(0x0000, 1);

  const program::SignalPlan plan = bus::LiveSignalPlan(s.store, 0, 32 * 1'000'000, 1);
  EXPECT_EQ(plan.cycleSeconds, 32);
  ASSERT_EQ(plan.rows.size(), 2u) << "only the groups that are lit";
  EXPECT_EQ(plan.rows[0].group, 1);
  // The first second of the flashing is one change only: it shows as it was lit.
  EXPECT_EQ(plan.rows[0].intervals,
            (Intervals{{0, 13, 1, 1}, {13, 23, 4, 3}, {23, 24, 2, 4}, {24, 30, 10, 5}, {30, 32, 0, 6}}));
  EXPECT_EQ(plan.rows[1].intervals,
            (Intervals{{0, 10, 4, 1}, {10, 13, 2, 2}, {13, 23, 1, 3}, {23, 32, 0, 4}}));

  EXPECT_TRUE(bus::LiveSignalPlan(s.store, 5, 5, 1).rows.empty());
}

}  // namespace
