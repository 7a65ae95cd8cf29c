#include "link/trend_recorder.h"

#include "link_fixture.h"

namespace {

using namespace kxtest;

struct TrendRecorderTest : LinkFixture {
  bus::TrendRecorder recorder{tables->events, regs, clock};
  const bus::TrendStore& store = recorder.Store();
  std::int64_t Now() const { return clock.ms * 1000; }
};

TEST_F(TrendRecorderTest, EveryTurnGoesIntoTheStoreWithTheWordsHeardBeforeItAndASilenceHoldsNoState) {
  GoOnline();
  // Card 1 runs with group 1 red and group 2 green, 0.38 A on channel 1, 24 V.
  Hear(Frame(Words({0x20, 0xCE}, {2, 0, 0x0041, 0, 380, 0, 0, 0, 2500, 0})));
  Turn();
  EXPECT_TRUE(store.Empty()) << "nothing before the CPU card's words are in";
  // The CPU card's registers as read in the PC's turn: running, 230 V.
  Hear(Frame(Words({0x01, 0x03, 32}, {2, 0, 0, 23000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})));
  Turn();
  const std::int64_t first = Now();
  Turn();
  Turn();

  EXPECT_EQ(std::make_pair(store.FirstMicros(), store.LastMicros()), std::make_pair(first, Now()));
  EXPECT_EQ(store.ValueAt(bus::CardSupplySeries(0), Now()).value_or(bus::TrendPoint{}).max, 2400);
  EXPECT_EQ(std::make_pair(store.StepAt(bus::LampStep(0), Now()), store.StepAt(bus::LampStep(1), Now())),
            std::make_pair(1, 4))
      << "group 1 red, group 2 green";
  EXPECT_EQ(store.ValueAt(bus::CpuSeries(bus::CpuTrend::MainsVoltage), first)->min, 23000);
  EXPECT_EQ(store.Samples(bus::CardCurrentSeries(0, 0), 0, Now() + 1, 0).size(), 3u);

  // A long silence between turns holds no state; an ordinary gap is no silence.
  const std::int64_t lastBefore = Now();
  clock.ms += 10'000;
  Turn();
  EXPECT_EQ(store.StepAt(bus::LampStep(0), lastBefore + 5'000'000), bus::kNoValue);
  EXPECT_EQ(store.StepAt(bus::LampStep(0), Now()), 1);
  const std::int64_t before = Now();
  clock.ms += 1'000;
  Turn();
  EXPECT_EQ(store.StepAt(bus::LampStep(0), before + 500'000), 1);
}

}  // namespace
