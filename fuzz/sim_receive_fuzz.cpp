// PC bytes for the simulated controller, one line per bus turn; its strict reader
// decides what to act on (what must hold: fuzz/README.md).

#include <span>

#include "fuzz/fuzz_support.h"
#include "link/frame_check.h"
#include "sim/bus_frames.h"
#include "sim/controller.h"
#include "sim/demo_memory.h"
#include "sim/event_log_area.h"

namespace {

using program::ProgramImage;
constexpr auto kLog = static_cast<std::ptrdiff_t>(program::kEventLogAddress);
constexpr auto kLogEnd = static_cast<std::ptrdiff_t>(program::kEventLogTotalAddress + 2);

// Read by the link's checks, which share no code with the controller's writer.
void CheckWire(std::string_view out, const ProgramImage& memory) {
  for (std::string_view line : kxfuzz::Lines(out)) {
    KX_FUZZ_CHECK(line.ends_with("\r\n") && line.find_first_of("abcdef") == std::string_view::npos &&
                  bus::CheckFrame(line.substr(0, line.size() - 2)).fault == bus::LineFault::None);
    if (const auto block = kxfuzz::UsableBlock(line)) {
      KX_FUZZ_CHECK(std::ranges::equal(block->data, std::span(memory).subspan(block->address, 128)));
    }
  }
}

// Runs the controller to the start of its next turn, checking what goes on the wire.
void NextTurn(sim::Controller& ctl, std::int64_t& now, bool clean) {
  const std::uint64_t turns = ctl.Count().turns;
  for (int guard = 0; guard < 8 && ctl.Count().turns == turns; ++guard) {
    now = std::max(now, ctl.NextDueMs());
    const std::string out = ctl.Step(now);
    if (clean) CheckWire(out, ctl.Memory());
  }
  KX_FUZZ_CHECK(ctl.Count().turns > turns);
}

void Run(const std::vector<std::string_view>& lines, const sim::Options& options, bool clean) {
  static const std::unique_ptr<const ProgramImage> start = std::make_unique<ProgramImage>(sim::DemoMemory());
  static const std::unique_ptr<ProgramImage> expected = std::make_unique<ProgramImage>();
  *expected = *start;
  auto ctl = std::make_unique<sim::Controller>(*start, options);
  std::int64_t now = 1000;
  NextTurn(*ctl, now, clean);

  for (std::string_view line : lines) {
    const sim::Counters before = ctl->Count();
    const std::uint64_t resetParams = ctl->CommandCount(1002);
    const std::uint64_t resetProgram = ctl->CommandCount(1005);
    now += static_cast<std::int64_t>(line.size() % 67);
    ctl->Receive(line, now);
    const sim::Counters& c = ctl->Count();
    // Each line but the last is exactly one frame, so an accepted write is this line
    // (the controller's reader refuses what a real CPU would: tests/sim).
    const auto frame = sim::ReadPcFrame(line);
    if (c.blocksWritten > before.blocksWritten) {
      KX_FUZZ_CHECK(frame && frame->size == 8 + 128 && frame->word(4) + 128u <= program::kProgramImageSize);
      std::copy(frame->bytes.begin() + 8, frame->bytes.end(), expected->begin() + frame->word(4));
    }
    if (c.systemWrites > before.systemWrites) {
      KX_FUZZ_CHECK(frame && frame->size == 26);
      std::copy(frame->bytes.begin() + 8, frame->bytes.begin() + 24, expected->begin() + 0x0FA0);
      (*expected)[0x0F90] = frame->bytes[25];
    }
    if (ctl->CommandCount(1002) > resetParams)
      std::fill(expected->begin() + 0x80, expected->begin() + 0x100, 0);
    if (ctl->CommandCount(1005) > resetProgram)
      std::fill(expected->begin(), expected->begin() + program::kDownloadEnd, 0);

    // The event log is the controller's own to write, at every reset and clock set.
    const auto& memory = ctl->Memory();
    std::copy(memory.begin() + kLog, memory.begin() + kLogEnd, expected->begin() + kLog);
    KX_FUZZ_CHECK(!clean || memory == *expected);
    NextTurn(*ctl, now, clean);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto lines = kxfuzz::Lines(std::string_view(reinterpret_cast<const char*>(data), size));
  Run(lines, sim::Options{}, true);
  // The same conversation on a bad line: lost, damaged and noisy replies, a faulty
  // card and its exceptions.
  sim::Options faulty{
      .loss = 0.2, .corrupt = 0.2, .noise = 0.2, .exception = 0.2, .seed = static_cast<std::uint32_t>(size)};
  faulty.cardFault[2] = true;
  Run(lines, faulty, false);
  return 0;
}
