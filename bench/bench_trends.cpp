// What recording the trends costs: one PC turn's append, the memory of a whole day at
// five turns a second (a junction running its plan, and a worst case whose lamp and
// fault words change at every turn), and a plot's query of one series over that day
// at one point per pixel of a 1,500-pixel-wide plot, and one frame of the trends
// window's plots drawn over that day at the width they have on a 1366-pixel screen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/result_reporter.h"
#include "link/trend_store.h"
#include "monitor/trend_plot.h"
#include "monitor/trend_states_plot.h"

namespace {

constexpr std::int64_t kTurn = 200'000;
constexpr int kDayTurns = 24 * 3600 * 5;

// A junction in its plan: lamps step every 12 s on a 90 s cycle, currents and the
// mains wander from turn to turn, a fault comes and goes every ten minutes. `noisy`
// changes every lamp and fault word at every turn instead.
void Turn(bus::RegisterImage& regs, int n, bool noisy) {
  const std::int32_t wobble = (n * 7919) % 23;
  regs.CpuCardRegs[bus::cpu_word::kState] = 2;
  regs.CpuCardRegs[bus::cpu_word::kMainsVoltage] = 22900 + wobble * 10;
  regs.CpuCardRegs[bus::cpu_word::kMainsFrequency] = 4995 + wobble % 10;
  regs.CpuCardRegs[bus::cpu_word::kPsuVoltage] = 2410 + wobble % 5;
  regs.CpuCardRegs[bus::cpu_word::kTemperature] = 30 + (n / 18000) % 10;
  regs.CpuCardRegs[bus::cpu_word::kCurrent] = 140 + wobble;
  regs.GpsRegs[bus::gps_word::kState] = 2;
  regs.DetectorRegs[bus::detector_word::kState] = 2;
  const int step = (n / 60) % 8;
  for (int c = 0; c < bus::kTriacCards; ++c) {
    auto& card = regs.TriacCardRegs[static_cast<std::size_t>(c)];
    card[bus::card_word::kState] = 2;
    card[bus::card_word::kLamps] = noisy ? (n * 31 + c) & 0xFFFF : (step + c) % 2 == 0 ? 0x1144 : 0x4411;
    card[bus::card_word::kChannelFaults] = noisy ? (n * 17 + c) & 0xFFFF : 0;
    card[bus::card_word::kFaultWord] = noisy                             ? (n * 13 + c) & 0xFFFF
                                       : (c == 3 && (n / 3000) % 2 == 1) ? 0x0004
                                                                         : 0;
    for (int ch = 0; ch < bus::kChannelsPerCard; ++ch) {
      card[static_cast<std::size_t>(bus::card_word::kFirstCurrent + ch)] = 350 + (wobble + ch * 5) % 40;
    }
    card[bus::card_word::kSupply] = 2500 + wobble % 3;
  }
}

std::unique_ptr<bus::TrendStore> Day(bool noisy) {
  auto store = std::make_unique<bus::TrendStore>();
  bus::RegisterImage regs;
  for (int n = 0; n < kDayTurns; ++n) {
    Turn(regs, n, noisy);
    store->Record(n * kTurn, regs);
  }
  return store;
}

void BM_TrendRecordTurn(benchmark::State& state) {
  // The images are made beforehand, so that only the recording is timed.
  std::vector<bus::RegisterImage> images(1024);
  for (std::size_t i = 0; i < images.size(); ++i) Turn(images[i], static_cast<int>(i) * 7, false);
  bus::TrendStore store;
  std::int64_t n = 0;
  for (auto _ : state) {
    store.Record(n * kTurn, images[static_cast<std::size_t>(n) % images.size()]);
    ++n;
  }
}
BENCHMARK(BM_TrendRecordTurn)->MinTime(1.0);

void BM_TrendQueryDay(benchmark::State& state) {
  static const auto store = Day(false);
  const int series = bus::CardCurrentSeries(3, 2);
  const std::int64_t day = std::int64_t{kDayTurns} * kTurn;
  for (auto _ : state) {
    const auto points = store->Samples(series, 0, day, day / 1500);
    benchmark::DoNotOptimize(points.data());
  }
}
BENCHMARK(BM_TrendQueryDay)->MinTime(0.5);

// The widths the window gives its plots at 1366 pixels: the channel currents of two
// cards (eight lines) and the state rows with their fault marks.
constexpr int kPlotWidth = 1060;

template <typename Plot>
void DrawDay(benchmark::State& state, Plot& plot, int height) {
  const std::int64_t day = std::int64_t{kDayTurns} * kTurn;
  plot.resize(kPlotWidth, height);
  plot.SetRange({0, day});
  plot.SetTimeAxisShown(true);
  QImage image(plot.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    plot.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}

void BM_TrendPlotDay(benchmark::State& state) {
  static const auto store = Day(false);
  monitor::TrendPlot plot(*store, QStringLiteral("Kanal akımları (A)"));
  std::vector<monitor::PlotLine> lines;
  for (int c = 0; c < 2; ++c) {
    for (int ch = 0; ch < bus::kChannelsPerCard; ++ch)
      lines.push_back({bus::CardCurrentSeries(c, ch), Qt::blue});
  }
  plot.SetLines(lines);
  DrawDay(state, plot, 160);
}
BENCHMARK(BM_TrendPlotDay)->MinTime(0.5);

void BM_TrendStatesDay(benchmark::State& state) {
  static const auto store = Day(false);
  monitor::TrendStatesPlot plot(*store);
  DrawDay(state, plot, plot.height());
}
BENCHMARK(BM_TrendStatesDay)->MinTime(0.5);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kxbench::ResultReporter reporter;
  kxbench::RunBenchmarks(argc, argv, reporter);
  kxbench::PrintMicroseconds(reporter, {{"BM_TrendRecordTurn", "trend_record_per_turn"},
                                        {"BM_TrendQueryDay", "trend_day_query_per_series"},
                                        {"BM_TrendPlotDay", "trend_plot_day_frame_8_lines"},
                                        {"BM_TrendStatesDay", "trend_states_day_frame"}});
  for (const bool noisy : {false, true}) {
    const auto store = Day(noisy);
    std::printf("RESULT trend_memory_24h_%s %.1f MB\n", noisy ? "worst" : "junction",
                static_cast<double>(store->MemoryBytes()) / (1024.0 * 1024.0));
  }
  return 0;
}
