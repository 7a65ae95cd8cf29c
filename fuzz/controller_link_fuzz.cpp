// The whole link over a fake port: arbitrary bytes arrive line by line while a user
// command runs, and the engine answers every turn it hears. Whatever arrives, the
// link sends only well-formed frames, a block write carries the image's own bytes,
// and the image changes only by blocks that arrived whole during a read.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "link/controller_link.h"
#include "program/editor_model.h"
#include "program/memory_map.h"
#include "program/program_image.h"

#include "tests/link/fakes.h"

namespace {

using program::ProgramImage;

enum class Command { None, Upload, EventLog, Download, SystemDownload, ClockSet, ResetCpu };
constexpr Command kCommands[] = {Command::None,     Command::Upload,         Command::EventLog,
                                 Command::Download, Command::SystemDownload, Command::ClockSet,
                                 Command::ResetCpu};

std::optional<std::vector<std::uint8_t>> FrameBytes(std::string_view frame) {
  if (!frame.ends_with("\r\n") || frame.empty() || frame[0] != ':') return std::nullopt;
  frame.remove_suffix(2);
  frame.remove_prefix(1);
  if (frame.size() % 2 != 0 || frame.size() < 6) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  unsigned sum = 0;
  for (std::size_t i = 0; i < frame.size(); i += 2) {
    // The controller reads upper-case digits only.
    const auto upper = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
    if (!upper(frame[i]) || !upper(frame[i + 1])) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(kxfuzz::Hex(frame[i]) * 16 + kxfuzz::Hex(frame[i + 1])));
    sum += bytes.back();
  }
  if ((sum & 0xFF) != 0) return std::nullopt;
  bytes.pop_back();
  return bytes;
}

void CheckSent(std::string_view frame, const ProgramImage& image) {
  const auto bytes = FrameBytes(frame);
  KX_FUZZ_CHECK(bytes.has_value());
  const std::vector<std::uint8_t>& b = *bytes;
  KX_FUZZ_CHECK(b.size() <= 4 + 4 + 128);
  if (b[0] == 0x01) {
    KX_FUZZ_CHECK(b.size() == 6 && b[1] == 0x03);
    return;
  }
  KX_FUZZ_CHECK(b.size() >= 4 && b[0] == 0x10 && b[1] == 0xCF);
  if (b.size() >= 8 && b[3] == 4) {
    const std::size_t address = static_cast<std::size_t>(b[4] << 8 | b[5]);
    KX_FUZZ_CHECK(address + 128 <= program::kProgramImageSize);
    if (b[2] == 1) {
      KX_FUZZ_CHECK(b.size() == 8 + 128);
      KX_FUZZ_CHECK(address + 128 <= program::kDownloadEnd);
      for (std::size_t i = 0; i < 128; ++i) KX_FUZZ_CHECK(b[8 + i] == image[address + i]);
    }
  }
}

// A block-read reply the link may store: whole, hex, correct LRC, inside the image.
std::optional<std::size_t> UsableBlock(std::string_view line, std::vector<std::uint8_t>& data) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (line.size() != 1 + 2 * 137 || line[0] != ':') return std::nullopt;
  std::vector<std::uint8_t> b;
  unsigned sum = 0;
  for (std::size_t i = 1; i < line.size(); i += 2) {
    const int hi = kxfuzz::Hex(line[i]);
    const int lo = kxfuzz::Hex(line[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    b.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    sum += b.back();
  }
  if ((sum & 0xFF) != 0 || b[0] != 1 || b[1] != 0xCF || b[3] != 4) return std::nullopt;
  const std::size_t address = static_cast<std::size_t>(b[4] << 8 | b[5]);
  if (address + 128 > program::kProgramImageSize) return std::nullopt;
  data.assign(b.begin() + 8, b.begin() + 8 + 128);
  return address;
}

struct Start {
  std::unique_ptr<const ProgramImage> image;
  std::unique_ptr<const ProgramImage> afterChecksum;  // as a download leaves it
};

// The image before anything is heard, made once.
const Start& Initial() {
  static const Start start = [] {
    auto m = std::make_unique<ProgramImage>();
    for (std::size_t i = 0; i < m->size(); ++i) (*m)[i] = static_cast<std::uint8_t>(i * 13 + 5);
    auto c = std::make_unique<ProgramImage>(*m);
    // The checksum the controller verifies goes into the image before the first block.
    unsigned sum = 0;
    for (std::size_t a = 0; a < program::kChecksumAddress; ++a) sum += (*c)[a];
    (*c)[program::kChecksumAddress] = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
    (*c)[program::kChecksumAddress + 1] = static_cast<std::uint8_t>(sum & 0xFF);
    return Start{std::move(m), std::move(c)};
  }();
  return start;
}

// Allocated once, reset for every run; exactly image-sized heap blocks, so that a
// store past the end is seen by AddressSanitizer.
struct Images {
  std::unique_ptr<ProgramImage> image = std::make_unique<ProgramImage>();
  std::unique_ptr<ProgramImage> expected = std::make_unique<ProgramImage>();
};

void Run(const std::vector<std::string_view>& chunks, Command command, const program::EditorModel& model) {
  kxtest::FakePort port;
  kxtest::FakeClock clock;
  bus::RegisterImage regs;
  bus::LinkShared shared;
  bus::LinkEvents events;
  static Images images;
  ProgramImage* const image = images.image.get();
  ProgramImage* const expected = images.expected.get();
  *image = *Initial().image;
  bus::ControllerLink link(port, clock, bus::LinkTables{regs, shared, *image, model, events});

  link.cmd_RUN();
  link.Timer1Tick();
  KX_FUZZ_CHECK(link.PortOpen());
  switch (command) {
    case Command::None: break;
    case Command::Upload: KX_FUZZ_CHECK(link.PGM_Upload()); break;
    case Command::EventLog: KX_FUZZ_CHECK(link.BTN_Hata_Oku()); break;
    case Command::Download: link.PGM_Download(1); break;
    case Command::SystemDownload: link.PGM_Download(0); break;
    case Command::ClockSet: link.RTC_Esitle(); break;
    case Command::ResetCpu: KX_FUZZ_CHECK(link.Service_cmd(0)); break;
  }
  *expected = command == Command::Download ? *Initial().afterChecksum : *Initial().image;
  KX_FUZZ_CHECK(*image == *expected);

  std::vector<std::uint8_t> data;
  std::size_t checked = 0;
  for (std::string_view chunk : chunks) {
    const bool reading = shared.RequestCode == bus::request::kBlockRead;
    clock.ms += 1 + static_cast<std::int64_t>(chunk.size() % 40);
    port.Receive(std::string(chunk));
    // Every chunk but the last is one whole line, so the decoder saw exactly it.
    const auto address = reading ? UsableBlock(chunk, data) : std::nullopt;
    // An event-log read stores nothing below the log, whatever block a reply carries.
    if (address && (command != Command::EventLog || *address >= program::kEventLogAddress)) {
      std::copy(data.begin(), data.end(), expected->begin() + static_cast<std::ptrdiff_t>(*address));
    }
    clock.ms += 30;
    link.Timer1Tick();
    for (; checked < port.written.size(); ++checked) CheckSent(port.written[checked], *image);
    KX_FUZZ_CHECK(link.Cutter().RxBuffer.size() <= bus::LineCutter::kMaxPending);
    KX_FUZZ_CHECK(link.PortOpen() && link.LinkRunning());
    KX_FUZZ_CHECK(shared.TransferAddress >= 0 &&
                  shared.TransferAddress <= static_cast<std::int32_t>(program::kProgramImageSize));
  }
  KX_FUZZ_CHECK(*image == *expected);
  KX_FUZZ_CHECK(link.FramesSent() == port.written.size());
  for (bus::Rgb lamp : link.Display().LBL_COMM_ANI) KX_FUZZ_CHECK(lamp == bus::kWhite || lamp == bus::kGreen);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> chunks;
  while (!bytes.empty()) {
    const std::size_t lf = bytes.find('\n');
    const std::size_t n = lf == std::string_view::npos ? bytes.size() : lf + 1;
    chunks.push_back(bytes.substr(0, n));
    bytes.remove_prefix(n);
  }
  // The model only supplies the system row of a system download; the link never
  // writes to it.
  static const std::unique_ptr<const program::EditorModel> model = [] {
    auto m = std::make_unique<program::EditorModel>();
    for (std::size_t i = 0; i < m->PgmSteps[1][1].size(); ++i) {
      m->PgmSteps[1][1][i] = static_cast<std::uint8_t>(0x11 * i);
    }
    return m;
  }();
  for (Command command : kCommands) Run(chunks, command, *model);
  return 0;
}
