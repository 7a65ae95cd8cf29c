// Bytes from the bus, cut into lines and decoded from each state a transfer can be in
// (what must hold: fuzz/README.md).

#include <tuple>

#include "fuzz/fuzz_support.h"
#include "link/line_cutter.h"
#include "link/link_display.h"
#include "link/link_state.h"
#include "link/register_image.h"
#include "link/reply_decoder.h"
#include "link/service_commands.h"

#include "tests/link/fakes.h"

namespace {

using program::ProgramImage;

// The request under way, the transfer address and whether the event log is being read.
constexpr std::tuple<std::int16_t, std::int32_t, bool> kStarts[] = {
    {0, 0, false},
    {bus::request::kBlockRead, 0, false},
    {bus::request::kBlockRead, static_cast<std::int32_t>(program::kEventLogAddress), true},
    {bus::request::kBlockWrite, 0, false},
    {bus::request::kSystemDownload, 0, false},
    {bus::request::kClockSet, 0, false}};

// Lines as the port's bytes give them: no byte is lost unaccounted for and the buffer
// stays within its bound.
std::vector<std::string> CutLines(std::string_view bytes) {
  bus::LineCutter cutter;
  std::vector<std::string> lines;
  std::size_t total = 0;
  cutter.Feed(bytes, [&](std::string_view line) {
    KX_FUZZ_CHECK(!line.empty() && line.find('\n') == line.size() - 1);
    total += line.size();
    lines.emplace_back(line);
  });
  KX_FUZZ_CHECK(cutter.RxBuffer.size() <= bus::LineCutter::kMaxPending &&
                total + cutter.RxBuffer.size() + cutter.dropped == bytes.size());
  return lines;
}

// The codes a single line may move a request on to.
std::int16_t NextCode(std::int16_t code) {
  switch (code) {
    case bus::request::kBlockRead:
    case bus::request::kClockSet: return 0;
    case bus::request::kSystemDownload: return bus::service::kResetCpu;
    case bus::request::kBlockWrite: return bus::request::kDownloadEnd;
    default: return code;
  }
}

constexpr auto kWord = [](std::int32_t v) { return v >= 0 && v <= 0xFFFF; };

void Decode(const std::vector<std::string>& lines, std::int16_t code, std::int32_t start, bool logReading) {
  kxtest::FakeClock clock;
  bus::RegisterImage regs;
  bus::LinkShared shared;
  bus::LinkDisplay display;
  bus::LinkEvents events;
  bus::TransferTracker transfers(events, clock);
  // Allocated once, reset for every run.
  static const auto initial = kxfuzz::PatternImage(7, 3);
  static const auto image = std::make_unique<ProgramImage>();
  static const auto verified = std::make_unique<ProgramImage>();  // no verify read runs
  *image = *initial;
  shared.RequestCode = code;
  shared.TransferAddress = start;
  shared.LogReading = logReading;
  bus::ReplyDecoder decoder({regs, shared, *image, *verified, display}, clock, events, transfers);

  for (const std::string& line : lines) {
    const bus::LinkShared before = shared;
    decoder.RECIVE_DECODE(line);

    std::int32_t address = before.TransferAddress;
    const bool reading = before.RequestCode == bus::request::kBlockRead;
    const auto block = reading ? kxfuzz::UsableBlock(line) : std::nullopt;
    if (block && block->address == static_cast<std::size_t>(address)) address += 128;
    if (reading) KX_FUZZ_CHECK(shared.TransferAddress == address);
    KX_FUZZ_CHECK(shared.TransferAddress == before.TransferAddress ||
                  shared.TransferAddress == before.TransferAddress + 128);
    KX_FUZZ_CHECK(shared.RequestCode == before.RequestCode ||
                  shared.RequestCode == NextCode(before.RequestCode));
    KX_FUZZ_CHECK(shared.TransferEnd == before.TransferEnd && (!shared.LogReading || before.LogReading));
  }

  KX_FUZZ_CHECK(shared.TransferAddress >= 0 &&
                shared.TransferAddress <= static_cast<std::int32_t>(program::kProgramImageSize));
  KX_FUZZ_CHECK(std::ranges::all_of(regs.CpuCardRegs, kWord) && std::ranges::all_of(regs.GpsRegs, kWord) &&
                std::ranges::all_of(regs.DetectorRegs, kWord));
  for (const auto& card : regs.TriacCardRegs) KX_FUZZ_CHECK(std::ranges::all_of(card, kWord));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> lines =
      CutLines(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const auto& [code, address, logReading] : kStarts) Decode(lines, code, address, logReading);
  return 0;
}
