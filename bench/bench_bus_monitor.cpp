// What the bus monitor and the capture cost per bus line: storing a line (a million of
// them), the memory a line takes, writing it to a capture, and putting one row's
// meaning into words when it is drawn. Lines are the simulator's own frames: an idle
// junction, and one where the PC uploads the memory (long block replies).

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/result_reporter.h"
#include "link/bus_line_store.h"
#include "link/capture_writer.h"
#include "link/frame_codec.h"
#include "link/frame_meaning.h"
#include "sim/bus_frames.h"

namespace {

constexpr std::size_t kStoreLines = 1'000'000;
constexpr std::size_t kLinesPerIteration = 10'000;

struct Line {
  bus::LineDirection direction;
  std::string text;
};

// One controller cycle as the PC hears it, with the PC's frame after its turn.
std::vector<Line> Cycle(bool upload, int n) {
  std::vector<Line> lines;
  const auto heard = [&](std::string s) { lines.push_back({bus::LineDirection::Received, std::move(s)}); };
  for (int c = 0; c < 8; ++c) {
    std::array<std::uint16_t, 16> words{2, 0, 0x4144, 0, 380, 410, 395, 0, 2500};
    words[4] = static_cast<std::uint16_t>(380 + (n + c) % 7);
    heard(sim::CardStatus(c, words));
  }
  heard(sim::RegisterReply(bus::kGpsStation, std::array<std::uint16_t, 8>{0, 2, 5, 30, 14, 9, 3, 2024}));
  heard(sim::ReadRequest(bus::kDetectorStation, 0, 2));
  heard(sim::RegisterReply(bus::kDetectorStation, std::array<std::uint16_t, 2>{2, 5}));
  heard(sim::ReadRequest(bus::kPcStation, 0x2000, 16));
  if (upload) {
    const auto address = static_cast<std::uint16_t>((n * 128) & 0xFF80);
    bus::CommandPayload p;
    p.transferAddress = address;
    lines.push_back({bus::LineDirection::Sent, *bus::MB_CPU_Command(0, 4, p)});
    std::array<std::uint8_t, bus::kBlockBytes> block{};
    for (std::size_t i = 0; i < block.size(); ++i)
      block[i] = static_cast<std::uint8_t>(i * 7 + static_cast<std::size_t>(n));
    heard(sim::BlockReply(address, block));
  } else {
    lines.push_back({bus::LineDirection::Sent, bus::MB_Write_Single(1, 3, 0x2000, 16)});
    heard(sim::RegisterReply(bus::kCpuStation,
                             std::array<std::uint16_t, 16>{2, 0, 0, 23050, 5000, 2410, 0, 35, 150}));
  }
  return lines;
}

std::vector<Line> Mix(bool upload) {
  std::vector<Line> all;
  for (int n = 0; n < 64; ++n) {
    for (Line& l : Cycle(upload, n)) all.push_back(std::move(l));
  }
  return all;
}

const std::vector<Line>& IdleMix() {
  static const std::vector<Line> mix = Mix(false);
  return mix;
}

// Lines five milliseconds apart, the bus's own pace.
std::int64_t TimeOf(std::size_t i) { return static_cast<std::int64_t>(i) * 5000; }

std::unique_ptr<bus::BusLineStore> Filled(const std::vector<Line>& mix, std::size_t lines) {
  auto store = std::make_unique<bus::BusLineStore>();
  for (std::size_t i = 0; i < lines; ++i) {
    const Line& l = mix[i % mix.size()];
    store->Append(TimeOf(i), l.direction, l.text);
  }
  return store;
}

void BM_StoreAppendMillion(benchmark::State& state) {
  for (auto _ : state) {
    auto store = Filled(IdleMix(), kStoreLines);
    benchmark::DoNotOptimize(store->Size());
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StoreAppendMillion)->Unit(benchmark::kMillisecond)->MinTime(1.0);

class CountingSink : public bus::TextSink {
 public:
  std::size_t bytes = 0;
  bool Write(std::string_view text, std::string&) override {
    bytes += text.size();
    return true;
  }
};

void BM_CaptureAppend(benchmark::State& state) {
  const auto& mix = IdleMix();
  CountingSink sink;
  bus::CaptureWriter writer(sink, {}, 0);
  std::size_t i = 0;
  for (auto _ : state) {
    for (std::size_t n = 0; n < kLinesPerIteration; ++n, ++i) {
      const Line& l = mix[i % mix.size()];
      writer.Append(TimeOf(i), l.direction, l.text);
    }
  }
  benchmark::DoNotOptimize(sink.bytes);
}
BENCHMARK(BM_CaptureAppend)->MinTime(0.5);

void BM_MeaningOfRow(benchmark::State& state) {
  const auto& mix = IdleMix();
  std::size_t i = 0;
  for (auto _ : state) {
    for (std::size_t n = 0; n < kLinesPerIteration; ++n, ++i) {
      const bus::FrameMeaning m = bus::MeaningOf(bus::LineBody(mix[i % mix.size()].text), ',');
      benchmark::DoNotOptimize(m.text.data());
    }
  }
}
BENCHMARK(BM_MeaningOfRow)->MinTime(0.5);

double AverageWireChars(const std::vector<Line>& mix) {
  std::size_t chars = 0;
  for (const Line& l : mix) chars += bus::LineOnWire(bus::LineBody(l.text)).size();
  return static_cast<double>(chars) / static_cast<double>(mix.size());
}

}  // namespace

int main(int argc, char** argv) {
  kxbench::ResultReporter reporter;
  kxbench::RunBenchmarks(argc, argv, reporter);

  const double perLine = 1e6 / static_cast<double>(kLinesPerIteration);  // us to ns per line
  const double storeNs =
      reporter.Microseconds("BM_StoreAppendMillion") * 1e3 / static_cast<double>(kStoreLines);
  const double captureNs = reporter.Microseconds("BM_CaptureAppend") * perLine / 1e3;
  const double meaningNs = reporter.Microseconds("BM_MeaningOfRow") * perLine / 1e3;
  if (storeNs > 0) std::printf("RESULT bus_store_append_per_line %.0f ns\n", storeNs);
  if (captureNs > 0) std::printf("RESULT capture_write_per_line %.0f ns\n", captureNs);
  if (meaningNs > 0) std::printf("RESULT frame_meaning_per_row %.0f ns\n", meaningNs);
  if (storeNs > 0 && captureNs > 0) {
    // 115,200 bit/s with 7O1 framing carries 11,520 characters a second.
    const double lineRate = 11520.0 / AverageWireChars(IdleMix());
    std::printf("RESULT monitor_and_capture_line_rate_ratio %.0f x\n",
                1e9 / (storeNs + captureNs) / lineRate);
  }
  for (const bool upload : {false, true}) {
    const auto store = Filled(upload ? Mix(true) : IdleMix(), kStoreLines);
    std::printf("RESULT bus_store_bytes_per_line_%s %.1f bytes\n", upload ? "upload" : "idle",
                static_cast<double>(store->MemoryBytes()) / static_cast<double>(store->Size()));
  }
  return 0;
}
