// Bytes from the bus, cut into lines and decoded from each state a transfer can be in
// (what must hold: fuzz/README.md).

#include "fuzz/fuzz_support.h"
#include "link/line_cutter.h"
#include "link/link_display.h"
#include "link/link_state.h"
#include "link/register_image.h"
#include "link/reply_decoder.h"
#include "link/service_commands.h"

#include "tests/link/fakes.h"

namespace {

using bus::LineCutter;
using program::ProgramImage;

struct Start {
  std::int16_t code;
  std::int32_t address;
  bool logReading;
};

constexpr Start kStarts[] = {
    {0, 0, false},
    {bus::request::kBlockRead, 0, false},
    {bus::request::kBlockRead, static_cast<std::int32_t>(program::kEventLogAddress), true},
    {bus::request::kBlockWrite, 0, false},
    {bus::request::kSystemDownload, 0, false},
    {bus::request::kClockSet, 0, false},
};

struct Cut {
  std::vector<std::string> lines;
  std::string pending;
};

// Cuts in pieces of the sizes nextChunk gives; no byte is lost unaccounted for and the
// buffer stays within its bound.
template <typename NextChunk>
Cut CutLines(std::string_view bytes, NextChunk&& nextChunk) {
  LineCutter cutter;
  Cut cut;
  std::size_t total = 0;
  for (std::string_view rest = bytes; !rest.empty();) {
    const std::size_t n = std::min<std::size_t>(rest.size(), nextChunk(rest));
    cutter.Feed(rest.substr(0, n), [&](std::string_view line) {
      KX_FUZZ_CHECK(!line.empty() && line.find('\n') == line.size() - 1);
      total += line.size();
      cut.lines.emplace_back(line);
    });
    KX_FUZZ_CHECK(cutter.RxBuffer.size() <= LineCutter::kMaxPending);
    rest.remove_prefix(n);
  }
  cut.pending = cutter.RxBuffer;
  KX_FUZZ_CHECK(total + cut.pending.size() + cutter.dropped == bytes.size());
  return cut;
}

// The codes a single line may move a request on to.
std::int16_t NextCode(std::int16_t code) {
  switch (code) {
    case bus::request::kBlockRead: return 0;
    case bus::request::kClockSet: return 0;
    case bus::request::kSystemDownload: return bus::service::kResetCpu;
    case bus::request::kBlockWrite: return bus::request::kDownloadEnd;
    default: return code;
  }
}

constexpr auto kWord = [](std::int32_t v) { return v >= 0 && v <= 0xFFFF; };

void Decode(const std::vector<std::string>& lines, const Start& start) {
  kxtest::FakeClock clock;
  bus::RegisterImage regs;
  bus::LinkShared shared;
  bus::LinkDisplay display;
  bus::LinkEvents events;
  bus::TransferTracker transfers(events, clock);
  // Allocated once, reset for every run.
  static const auto initial = kxfuzz::PatternImage(7, 3);
  static const auto image = std::make_unique<ProgramImage>();
  static const auto expected = std::make_unique<ProgramImage>();
  static const auto verified = std::make_unique<ProgramImage>();  // no verify read runs
  *image = *initial;
  *expected = *initial;
  shared.RequestCode = start.code;
  shared.TransferAddress = start.address;
  shared.LogReading = start.logReading;
  bus::ReplyDecoder decoder({regs, shared, *image, *verified, display}, clock, events, transfers);

  for (const std::string& line : lines) {
    const bus::LinkShared before = shared;
    decoder.RECIVE_DECODE(line);

    std::int32_t address = before.TransferAddress;
    const bool reading = before.RequestCode == bus::request::kBlockRead;
    if (const auto block = reading ? kxfuzz::UsableBlock(line) : std::nullopt) {
      std::copy(block->data.begin(), block->data.end(),
                expected->begin() + static_cast<std::ptrdiff_t>(block->address));
      if (block->address == static_cast<std::size_t>(address)) address += 128;
    }
    if (reading) KX_FUZZ_CHECK(shared.TransferAddress == address);
    KX_FUZZ_CHECK(shared.TransferAddress == before.TransferAddress ||
                  shared.TransferAddress == before.TransferAddress + 128);
    KX_FUZZ_CHECK(shared.RequestCode == before.RequestCode ||
                  shared.RequestCode == NextCode(before.RequestCode));
    KX_FUZZ_CHECK(shared.TransferEnd == before.TransferEnd && (!shared.LogReading || before.LogReading));
  }

  KX_FUZZ_CHECK(*image == *expected);
  KX_FUZZ_CHECK(shared.TransferAddress >= 0 &&
                shared.TransferAddress <= static_cast<std::int32_t>(program::kProgramImageSize));
  KX_FUZZ_CHECK(std::ranges::all_of(regs.CpuCardRegs, kWord) && std::ranges::all_of(regs.GpsRegs, kWord) &&
                std::ranges::all_of(regs.DetectorRegs, kWord));
  for (const auto& card : regs.TriacCardRegs) KX_FUZZ_CHECK(std::ranges::all_of(card, kWord));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Cut whole = CutLines(bytes, [](std::string_view rest) { return rest.size(); });
  const Cut pieces =
      CutLines(bytes, [](std::string_view rest) { return 1 + static_cast<unsigned char>(rest[0]) % 61u; });

  // A port hands the bytes over in pieces of any size; the pieces must not change the
  // lines, except that a line longer than the buffer may lose its beginning.
  KX_FUZZ_CHECK(whole.lines.size() == pieces.lines.size() && whole.pending == pieces.pending);
  for (std::size_t i = 0; i < whole.lines.size(); ++i) {
    const std::string &w = whole.lines[i], &p = pieces.lines[i];
    KX_FUZZ_CHECK(w.ends_with(p) && p.size() >= std::min(w.size(), LineCutter::kMaxPending + 1));
  }

  for (const Start& start : kStarts) Decode(whole.lines, start);
  Decode(pieces.lines, kStarts[1]);
  return 0;
}
