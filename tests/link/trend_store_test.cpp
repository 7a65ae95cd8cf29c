#include "link/trend_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "link/trend_csv.h"

namespace {

using bus::TrendStore;

constexpr std::int64_t kTurn = 200'000;  // five PC turns a second
const int kMains = bus::CpuSeries(bus::CpuTrend::MainsVoltage);

bus::RegisterImage Image(std::int32_t mains) {
  bus::RegisterImage regs;
  regs.CpuCardRegs[bus::cpu_word::kMainsVoltage] = mains;
  regs.CpuCardRegs[bus::cpu_word::kCurrent] = 150;
  regs.TriacCardRegs[0][bus::card_word::kSupply] = 2500;
  regs.TriacCardRegs[0][bus::card_word::kFirstCurrent] = 380;
  return regs;
}

TEST(TrendStore, ThinningKeepsEveryExtremeAndEveryTurnWithinItsBound) {
  TrendStore store(
      {.rawSamples = 10, .buckets = 8, .firstBucketMicros = 1'000'000, .maxSteps = 16, .maxFaultEvents = 16});
  const int turns = 1000;  // 200 s: far more than the buckets hold at one second each
  std::int64_t sum = 0;
  std::size_t memoryAtHalf = 0;
  for (int i = 0; i < turns; ++i) {
    const std::int32_t mains = i == 37 ? 26000 : i == 420 ? 18000 : 23000 + i % 7;
    sum += mains;
    store.Record(i * kTurn, Image(mains));
    if (i == turns / 2) memoryAtHalf = store.MemoryBytes();
  }
  EXPECT_EQ(store.MemoryBytes(), memoryAtHalf) << "a fixed bound, however long it runs";
  EXPECT_GE(store.BucketMicros(), 32'000'000) << "buckets grew wider instead of dropping samples";

  const auto all = store.Samples(kMains, 0, turns * kTurn, 0);
  std::uint64_t count = 0;
  double weighted = 0;
  std::int32_t low = INT32_MAX, high = INT32_MIN;
  for (const auto& p : all) {
    count += p.count;
    weighted += p.mean * p.count;
    low = std::min(low, p.min);
    high = std::max(high, p.max);
  }
  EXPECT_EQ(std::make_tuple(count, low, high), std::make_tuple(std::uint64_t{turns}, 18000, 26000));
  EXPECT_NEAR(weighted, static_cast<double>(sum), 1e-3);
  EXPECT_EQ(all.back().count, 1u) << "the newest samples at full rate";
  // Samples per pixel and the cursor's read-out are the trends window's tests.
}

// Card 2's fault word and card 5's channel faults appear and clear; card 1 carries groups 4
// to 7, group 4 in its lowest nibble.
TEST(TrendStore, FaultBitsAreEventsAndLampWordsIntervalsWithTheLinkLossAsNoValue) {
  TrendStore store;
  const std::int32_t cardWords[] = {0, 0x0004, 0x000C, 0x0008, 0x0008, 0};
  const std::int32_t lamps[] = {0x1111, 0x1111, 0x1114, 0x1114, 0x1119, 0x1119};
  bus::RegisterImage regs;
  for (int i = 0; i < 6; ++i) {
    regs.TriacCardRegs[2][bus::card_word::kFaultWord] = cardWords[i];
    regs.TriacCardRegs[5][bus::card_word::kChannelFaults] = i < 4 ? 0x00A1 : 0x0001;
    regs.TriacCardRegs[1][bus::card_word::kLamps] = lamps[i];
    store.Record(i * kTurn, regs);
  }
  store.Interrupt(7 * kTurn);
  regs.TriacCardRegs[1][bus::card_word::kLamps] = 0x1114;
  store.Record(9 * kTurn, regs);
  store.Record(10 * kTurn, regs);

  using bus::FaultWord;
  const std::vector<bus::FaultEvent> expected = {
      {0, 5, FaultWord::Channel, 0, true},          {0, 5, FaultWord::Channel, 5, true},
      {0, 5, FaultWord::Channel, 7, true},          {kTurn, 2, FaultWord::Card, 2, true},
      {2 * kTurn, 2, FaultWord::Card, 3, true},     {3 * kTurn, 2, FaultWord::Card, 2, false},
      {4 * kTurn, 5, FaultWord::Channel, 5, false}, {4 * kTurn, 5, FaultWord::Channel, 7, false},
      {5 * kTurn, 2, FaultWord::Card, 3, false},
  };
  EXPECT_EQ(store.FaultEvents(0, 6 * kTurn), expected);
  EXPECT_EQ(store.FaultEvents(2 * kTurn, 4 * kTurn).size(), 2u);
  EXPECT_EQ(store.StepAt(bus::CardFaultStep(2), 2 * kTurn + 1), 0x000C);

  using Iv = bus::StepInterval;
  EXPECT_EQ(store.Steps(bus::LampStep(4), 0, 20 * kTurn),
            (std::vector<Iv>{{0, 2 * kTurn, 1},
                             {2 * kTurn, 4 * kTurn, 4},
                             {4 * kTurn, 7 * kTurn, 9},
                             {7 * kTurn, 9 * kTurn, bus::kNoValue},
                             {9 * kTurn, 10 * kTurn, 4}}));
  EXPECT_EQ(store.Steps(bus::LampStep(4), 3 * kTurn, 5 * kTurn),
            (std::vector<Iv>{{3 * kTurn, 4 * kTurn, 4}, {4 * kTurn, 5 * kTurn, 9}}))
      << "cut to the span asked for";
  EXPECT_EQ(store.StepAt(bus::LampStep(4), 11 * kTurn), bus::kNoValue) << "nothing known yet";
}

// The cells of a CSV line at the given columns; "?" for a column the row does not have.
std::vector<std::string> Pick(const std::string& line, char sep, std::initializer_list<std::size_t> at) {
  std::vector<std::string> cells(1), out;
  for (const char c : line) {
    if (c == sep)
      cells.emplace_back();
    else
      cells.back() += c;
  }
  for (std::size_t i : at) out.push_back(i < cells.size() ? cells[i] : "?");
  return out;
}

TEST(TrendCsv, OneColumnPerValueAndTheSeparatorsNamedInTheHeader) {
  TrendStore store(
      {.rawSamples = 2, .buckets = 8, .firstBucketMicros = 1'000'000, .maxSteps = 16, .maxFaultEvents = 16});
  bus::RegisterImage regs = Image(23050);
  regs.TriacCardRegs[0][bus::card_word::kFaultWord] = 0x1004;
  regs.TriacCardRegs[0][bus::card_word::kLamps] = 0x0009;
  store.Record(1'000'000, Image(23000));
  store.Record(1'100'000, Image(23001));
  store.Record(2'000'000, regs);
  store.Record(2'200'000, regs);
  const bus::WallClockAnchor anchor{1'000'000, {2024, 12, 31, 23, 59, 59, 2}, 180};
  // Each row's count of columns: tests/ctl watch.
  const std::size_t current = 3 + bus::CardCurrentSeries(0, 0),
                    fault = 3 + bus::kValueSeries + bus::CardFaultStep(0);

  for (const char decimal : {',', '.'}) {
    const char sep = decimal == ',' ? ';' : ',';
    bus::StringTextSink sink;
    std::string error;
    ASSERT_TRUE(bus::WriteTrendCsv(store, sink, anchor, decimal, error));
    std::vector<std::string> lines;
    std::stringstream in(sink.text);
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.size() - 1));
    ASSERT_EQ(lines.size(), 2u + 3u) << "header, names, a bucket of two turns, two samples";
    EXPECT_EQ(lines[0], std::string("\xEF\xBB\xBFOndalık ayırıcı") + sep + decimal);
    const std::string d(1, decimal);
    EXPECT_EQ(Pick(lines[2], sep, {0, 2, 3}),
              (std::vector<std::string>{"2024-12-31 23:59:59" + d + "000", "2", "230" + d + "01"}))
        << "the mean of 230.00 and 230.01, rounded";
    EXPECT_EQ(Pick(lines[4], sep,
                   {0, 1, 3, 3 + bus::CpuSeries(bus::CpuTrend::Power), 3 + bus::CardSupplySeries(0), current,
                    fault, 3 + bus::kValueSeries + bus::LampStep(0)}),
              (std::vector<std::string>{"2025-01-01 00:00:00" + d + "200", "+03:00", "230" + d + "50",
                                        "345" + d + "75", "24" + d + "00", "0" + d + "380", "0x1004", "9"}));
  }

  bus::StringTextSink full;
  full.failAfter = 100;
  std::string error;
  EXPECT_FALSE(bus::WriteTrendCsv(store, full, anchor, ',', error));
  EXPECT_EQ(error, "yer kalmadı");
}

}  // namespace
