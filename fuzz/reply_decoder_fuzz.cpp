// Arbitrary bytes from the bus, cut into lines and decoded from each state a transfer
// can be in. The decoder may only store a block that arrived whole while a read is
// under way; every other byte of the image must stay as it was, and the register
// image only ever holds 16-bit words.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "link/line_cutter.h"
#include "link/link_display.h"
#include "link/link_state.h"
#include "link/register_image.h"
#include "link/reply_decoder.h"
#include "link/service_commands.h"
#include "program/memory_map.h"
#include "program/program_image.h"

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
  std::uint64_t dropped = 0;
};

void CheckCut(const Cut& cut, std::size_t fed) {
  std::size_t total = 0;
  for (const std::string& line : cut.lines) {
    KX_FUZZ_CHECK(!line.empty() && line.find('\n') == line.size() - 1);
    total += line.size();
  }
  KX_FUZZ_CHECK(cut.pending.size() <= LineCutter::kMaxPending);
  KX_FUZZ_CHECK(cut.pending.find('\n') == std::string::npos);
  KX_FUZZ_CHECK(total + cut.pending.size() + cut.dropped == fed);
}

template <typename NextChunk>
Cut CutLines(std::string_view bytes, NextChunk&& nextChunk) {
  LineCutter cutter;
  Cut cut;
  while (!bytes.empty()) {
    const std::size_t n = std::min<std::size_t>(bytes.size(), nextChunk(bytes));
    cutter.Feed(bytes.substr(0, n), [&](std::string_view line) { cut.lines.emplace_back(line); });
    KX_FUZZ_CHECK(cutter.RxBuffer.size() <= LineCutter::kMaxPending);
    bytes.remove_prefix(n);
  }
  cut.pending = cutter.RxBuffer;
  cut.dropped = cutter.dropped;
  return cut;
}

// A port hands the bytes over in pieces of any size; the pieces must not change the
// lines, except that a line longer than the buffer may lose its beginning.
void CheckSameLines(const Cut& whole, const Cut& pieces) {
  KX_FUZZ_CHECK(whole.lines.size() == pieces.lines.size());
  KX_FUZZ_CHECK(whole.pending == pieces.pending);
  for (std::size_t i = 0; i < whole.lines.size(); ++i) {
    const std::string& w = whole.lines[i];
    const std::string& p = pieces.lines[i];
    KX_FUZZ_CHECK(p.size() <= w.size() && w.ends_with(p));
    KX_FUZZ_CHECK(p.size() >= std::min(w.size(), LineCutter::kMaxPending + 1));
  }
}

struct Block {
  std::size_t address = 0;
  std::array<std::uint8_t, 128> data{};
};

// What a block-read reply carries when it is one the decoder may use: 137 bytes of
// hex with a correct LRC, for a block inside the image.
std::optional<Block> UsableBlock(std::string_view line) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (line.size() != 1 + 2 * 137 || line[0] != ':') return std::nullopt;
  std::array<std::uint8_t, 137> b{};
  unsigned sum = 0;
  for (std::size_t i = 0; i < b.size(); ++i) {
    const int hi = kxfuzz::Hex(line[1 + 2 * i]);
    const int lo = kxfuzz::Hex(line[2 + 2 * i]);
    if (hi < 0 || lo < 0) return std::nullopt;
    b[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    sum += b[i];
  }
  if ((sum & 0xFF) != 0 || b[0] != 1 || b[1] != 0xCF || b[3] != 4) return std::nullopt;
  Block block;
  block.address = static_cast<std::size_t>(b[4] << 8 | b[5]);
  if (block.address + 128 > program::kProgramImageSize) return std::nullopt;
  for (std::size_t i = 0; i < 128; ++i) block.data[i] = b[8 + i];
  return block;
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

template <std::size_t N>
bool Words(const std::array<std::int32_t, N>& regs) {
  for (std::int32_t v : regs) {
    if (v < 0 || v > 0xFFFF) return false;
  }
  return true;
}

// What the image holds before the bus is heard; made once, copied for every run.
const ProgramImage& Before() {
  static const std::unique_ptr<const ProgramImage> image = [] {
    auto m = std::make_unique<ProgramImage>();
    for (std::size_t i = 0; i < m->size(); ++i) (*m)[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return m;
  }();
  return *image;
}

// The decoder's image and the expected one, allocated once and reset for every run.
// On the heap and exactly as large as the image, so that a store past its end is
// seen by AddressSanitizer.
struct Images {
  std::unique_ptr<ProgramImage> image = std::make_unique<ProgramImage>();
  std::unique_ptr<ProgramImage> expected = std::make_unique<ProgramImage>();
  std::unique_ptr<ProgramImage> verified = std::make_unique<ProgramImage>();  // no verify read runs
};

void Decode(const std::vector<std::string>& lines, const Start& start) {
  kxtest::FakeClock clock;
  bus::RegisterImage regs;
  bus::LinkShared shared;
  bus::LinkDisplay display;
  bus::LinkEvents events;
  bus::TransferTracker transfers(events, clock);
  static Images images;
  ProgramImage* const image = images.image.get();
  ProgramImage* const expected = images.expected.get();
  *image = Before();
  *expected = Before();

  shared.RequestCode = start.code;
  shared.TransferAddress = start.address;
  shared.LogReading = start.logReading;
  bus::ReplyDecoder decoder({regs, shared, *image, *images.verified, display}, clock, events, transfers);
  std::uint64_t turns = 0;
  decoder.onPcTurn = [&turns] { ++turns; };

  for (const std::string& line : lines) {
    const bus::LinkShared before = shared;
    const std::uint64_t version = display.version;
    decoder.RECIVE_DECODE(line);

    std::int32_t address = before.TransferAddress;
    bool reading = before.RequestCode == bus::request::kBlockRead;
    if (const auto block = reading ? UsableBlock(line) : std::nullopt) {
      std::copy(block->data.begin(), block->data.end(),
                expected->begin() + static_cast<std::ptrdiff_t>(block->address));
      if (block->address == static_cast<std::size_t>(address)) address += 128;
    }
    if (reading) KX_FUZZ_CHECK(shared.TransferAddress == address);
    KX_FUZZ_CHECK(shared.TransferAddress == before.TransferAddress ||
                  shared.TransferAddress == before.TransferAddress + 128);
    KX_FUZZ_CHECK(shared.RequestCode == before.RequestCode ||
                  shared.RequestCode == NextCode(before.RequestCode));
    KX_FUZZ_CHECK(shared.TransferEnd == before.TransferEnd);
    KX_FUZZ_CHECK(shared.PortNumber == before.PortNumber);
    KX_FUZZ_CHECK(!shared.LogReading || before.LogReading);
    KX_FUZZ_CHECK(display.version >= version);
  }

  KX_FUZZ_CHECK(*image == *expected);
  KX_FUZZ_CHECK(shared.TransferAddress >= 0 &&
                shared.TransferAddress <= static_cast<std::int32_t>(program::kProgramImageSize));
  KX_FUZZ_CHECK(Words(regs.CpuCardRegs) && Words(regs.GpsRegs) && Words(regs.DetectorRegs));
  for (const auto& card : regs.TriacCardRegs) KX_FUZZ_CHECK(Words(card));
  for (bus::Rgb lamp : display.LBL_COMM_ANI) KX_FUZZ_CHECK(lamp == bus::kWhite || lamp == bus::kGreen);
  KX_FUZZ_CHECK(decoder.Counters().lines == lines.size());
  KX_FUZZ_CHECK(static_cast<std::uint64_t>(decoder.ExceptionCount) == decoder.Counters().exceptions);
  KX_FUZZ_CHECK(turns <= lines.size());
  if (!regs.CpuClockText.empty()) {
    bool named = false;
    for (int day = 1; day <= 7; ++day)
      named = named || regs.CpuClockText.ends_with(" " + clock.WeekdayName(day));
    KX_FUZZ_CHECK(named);
    KX_FUZZ_CHECK(display.LBL_CPU_rtc == regs.CpuClockText);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const Cut whole = CutLines(bytes, [](std::string_view rest) { return rest.size(); });
  CheckCut(whole, size);
  const Cut pieces =
      CutLines(bytes, [](std::string_view rest) { return 1 + static_cast<unsigned char>(rest[0]) % 61u; });
  CheckCut(pieces, size);
  CheckSameLines(whole, pieces);

  for (const Start& start : kStarts) Decode(whole.lines, start);
  Decode(pieces.lines, kStarts[1]);
  return 0;
}
