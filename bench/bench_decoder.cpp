// Lines decoded per second for a realistic bus mix, against the most lines a
// 115,200 bit/s 7O1 line can carry (11,520 characters per second); alone, and with
// the bus monitor's store and a capture listening as the program runs them.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/result_reporter.h"
#include "link/bus_recorder.h"
#include "link/controller_link.h"
#include "link/shared_tables.h"

namespace {

std::string Frame(const std::vector<int>& bytes) {
  static const char* d = "0123456789ABCDEF";
  std::string s = ":";
  unsigned sum = 0;
  for (int b : bytes) {
    s += d[(b >> 4) & 15];
    s += d[b & 15];
    sum += static_cast<unsigned>(b);
  }
  const unsigned lrc = (0x100 - (sum & 0xFF)) & 0xFF;
  s += d[lrc >> 4];
  s += d[lrc & 15];
  return s + "\r\n";
}

std::vector<int> Words(std::vector<int> head, int count, int seed) {
  for (int i = 0; i < count; ++i) {
    head.push_back((seed * 7 + i) & 0xFF);
    head.push_back((seed + i * 13) & 0xFF);
  }
  return head;
}

// One controller cycle as the PC hears it, with the PC reading its memory.
struct BusMix {
  std::string text;
  std::size_t lines = 0;
  explicit BusMix(int repeat) {
    for (int r = 0; r < repeat; ++r) {
      for (int c = 0; c < 8; ++c) Add(Frame(Words({0x20 + c, 0xCE}, 10, c + r)));
      Add(Frame(Words({0x13, 0x03, 0x10}, 8, r)));
      Add(Frame({0x14, 0x03, 0x00, 0x00, 0x00, 0x02}));
      Add(Frame(Words({0x14, 0x03, 0x04}, 2, r)));
      Add(Frame(Words({0x01, 0x03, 0x20}, 16, r)));
      if (r % 16 == 0) Add(Frame({0x21, 0x86, 0x02}));
      std::vector<int> block = {0x01, 0xCF, 0x00, 0x04, 0x10, 0x00, 0x00, 0x80};
      for (int i = 0; i < 128; ++i) block.push_back((i * 3 + r) & 0xFF);
      Add(Frame(block));
      Add(Frame({0x10, 0x03, 0x00, 0x00}));
    }
  }
  void Add(const std::string& f) {
    text += f;
    ++lines;
  }
};

class NullPort : public bus::SerialPort {
 public:
  std::string_view feed;
  void SetHandlers(Handlers) override {}
  void Select(int) override {}
  std::string DeviceName() const override { return "bench"; }
  void SetLineSettings(std::string_view) override {}
  bus::PortResult Open() override {
    m_open = true;
    return {};
  }
  void Close() override { m_open = false; }
  bool IsOpen() const override { return m_open; }
  std::string ReadAll() override { return std::string(feed); }
  void DiscardInput() override {}
  bus::PortResult Write(std::string_view) override { return {}; }
  bus::PortResult SetBaudRate(int) override { return {}; }

 private:
  bool m_open = false;
};

class FixedClock : public bus::Clock {
 public:
  bus::DateTime Now() const override { return {}; }
  std::int64_t MonotonicMs() const override { return 0; }
  std::string WeekdayName(int) const override { return "Pazartesi"; }
  std::string FormatDateTime(const bus::DateTime&) const override { return "01.01.2000 00:00:00"; }
};

// A disk that takes everything at once.
class NullSink : public bus::TextSink {
 public:
  bool Write(std::string_view bytes, std::string&) override {
    benchmark::DoNotOptimize(bytes.data());
    return true;
  }
};

void BM_DecodeBusMix(benchmark::State& state) {
  static const BusMix mix(64);  // built once; read-only afterwards
  NullPort port;
  FixedClock clock;
  auto tables = std::make_unique<bus::SharedTables>();
  // With capture on: every line also goes into the monitor's store and a capture file.
  const bool capturing = state.range(0) != 0;
  bus::BusLineStore store;
  std::int64_t micros = 0;
  std::unique_ptr<bus::BusRecorder> recorder;
  if (capturing) {
    recorder =
        std::make_unique<bus::BusRecorder>(tables->events, &store, [&micros] { return micros += 100; });
    std::string error;
    recorder->StartCapture(std::make_unique<NullSink>(), {}, error);
  }
  bus::LinkShared& shared = tables->shared;
  bus::ControllerLink link(port, clock, tables->ForLink());
  link.cmd_RUN();
  link.Timer1Tick();
  shared.RequestCode = 300;
  shared.TransferAddress = 0x1000;
  port.feed = mix.text;
  for (auto _ : state) {
    shared.RequestCode = 300;
    shared.TransferAddress = 0x1000;
    link.OnReceive();
    benchmark::DoNotOptimize(tables->regs.TriacCardRegs[7][9]);
    if (recorder) recorder->Tick();
  }
  const double lines = static_cast<double>(mix.lines) * static_cast<double>(state.iterations());
  state.counters["lines_per_s"] = benchmark::Counter(lines, benchmark::Counter::kIsRate);
  state.counters["avg_line_chars"] = static_cast<double>(mix.text.size()) / static_cast<double>(mix.lines);
}
BENCHMARK(BM_DecodeBusMix)->Arg(0)->Arg(1)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  kxbench::ResultReporter reporter;
  kxbench::RunBenchmarks(argc, argv, reporter);
  const double linesPerSecond = reporter.Counter("BM_DecodeBusMix/0", "lines_per_s");
  const double capturedPerSecond = reporter.Counter("BM_DecodeBusMix/1", "lines_per_s");
  const double avgChars = reporter.Counter("BM_DecodeBusMix/0", "avg_line_chars");
  if (linesPerSecond <= 0 || avgChars <= 0) return 0;
  const double lineRate = 11520.0 / avgChars;  // lines per second the wire can carry
  std::printf("RESULT decoder_lines_per_second %.0f lines/s\n", linesPerSecond);
  std::printf("RESULT decoder_line_rate_ratio %.0f x\n", linesPerSecond / lineRate);
  if (capturedPerSecond > 0) {
    std::printf("RESULT decoder_with_capture_line_rate_ratio %.0f x\n", capturedPerSecond / lineRate);
  }
  return 0;
}
