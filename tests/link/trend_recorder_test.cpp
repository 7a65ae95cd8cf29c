#include "link/trend_recorder.h"

#include <vector>

#include "link_fixture.h"

namespace {

// Card 1's reply: run state, the lamp word, 0.38 A on channel 1, 24 V.
std::string CardOneReply(int lamps) {
  return kxtest::Frame(kxtest::Words({0x20, 0xCE}, {2, 0, lamps, 0, 380, 0, 0, 0, 2500, 0}));
}

// The CPU card's registers 0x2000-0x200F as read in the PC's turn: running, 230 V.
std::string CpuReply() {
  return kxtest::Frame(kxtest::Words({0x01, 0x03, 32}, {2, 0, 0, 23000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

struct TrendRecorderTest : kxtest::LinkFixture {
  bus::TrendRecorder recorder{tables->events, regs, clock};
  const bus::TrendStore& store = recorder.Store();
  std::int64_t Now() const { return clock.ms * 1000; }
};

TEST_F(TrendRecorderTest, EveryTurnGoesIntoTheStoreWithTheWordsHeardBeforeItAndASilenceHoldsNoState) {
  GoOnline();
  Hear(CardOneReply(0x0041));
  Turn();
  EXPECT_TRUE(store.Empty()) << "nothing before the CPU card's words are in";
  Hear(CpuReply());
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
