// The whole link over a fake port: bytes arrive line by line while a user command
// runs (what must hold: fuzz/README.md).

#include "fuzz/fuzz_support.h"
#include "link/controller_link.h"
#include "program/editor_model.h"
#include "program/program_checksum.h"

#include "tests/link/fakes.h"

namespace {

using program::ProgramImage;

enum class Command { None, Upload, EventLog, Download, SystemDownload, ClockSet, ResetCpu };
constexpr Command kCommands[] = {Command::None,     Command::Upload,         Command::EventLog,
                                 Command::Download, Command::SystemDownload, Command::ClockSet,
                                 Command::ResetCpu};

void CheckSent(std::string_view frame, const ProgramImage& image) {
  const auto bytes = kxfuzz::FrameBytes(frame, true);
  KX_FUZZ_CHECK(bytes.has_value() && bytes->size() <= 4 + 4 + 128);
  const std::vector<std::uint8_t>& b = *bytes;
  // A register read of six bytes, or a request as the PC station.
  KX_FUZZ_CHECK(b[0] == 0x01 ? b.size() == 6 && b[1] == 0x03 : b.size() >= 4 && b[0] == 0x10 && b[1] == 0xCF);
  if (b.size() >= 8 && b[3] == 4) {
    const std::size_t address = static_cast<std::size_t>(b[4] << 8 | b[5]);
    KX_FUZZ_CHECK(address + 128 <= program::kProgramImageSize);
    if (b[2] == 1) {
      KX_FUZZ_CHECK(b.size() == 8 + 128 && address + 128 <= program::kDownloadEnd);
      for (std::size_t i = 0; i < 128; ++i) KX_FUZZ_CHECK(b[8 + i] == image[address + i]);
    }
  }
}

void Run(const std::vector<std::string_view>& chunks, Command command, const program::EditorModel& model) {
  kxtest::FakePort port;
  kxtest::FakeClock clock;
  bus::RegisterImage regs;
  bus::LinkShared shared;
  bus::LinkEvents events;
  // Allocated once, reset for every run.
  static const auto initial = kxfuzz::PatternImage(13, 5);
  static const auto image = std::make_unique<ProgramImage>();
  static const auto expected = std::make_unique<ProgramImage>();
  *image = *initial;
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
  // A download starts by storing the checksum the controller verifies.
  *expected = *initial;
  if (command == Command::Download) program::WriteProgramChecksum(*expected);
  KX_FUZZ_CHECK(*image == *expected);

  std::size_t checked = 0;
  for (std::string_view chunk : chunks) {
    const bool reading = shared.RequestCode == bus::request::kBlockRead;
    clock.ms += 1 + static_cast<std::int64_t>(chunk.size() % 40);
    port.Receive(std::string(chunk));
    // Every chunk but the last is one whole line, so the decoder saw exactly it.
    const auto block = reading ? kxfuzz::UsableBlock(chunk) : std::nullopt;
    // An event-log read stores nothing below the log, whatever block a reply carries.
    if (block && (command != Command::EventLog || block->address >= program::kEventLogAddress)) {
      std::copy(block->data.begin(), block->data.end(),
                expected->begin() + static_cast<std::ptrdiff_t>(block->address));
    }
    clock.ms += 30;
    link.Timer1Tick();
    for (; checked < port.written.size(); ++checked) CheckSent(port.written[checked], *image);
    KX_FUZZ_CHECK(link.Cutter().RxBuffer.size() <= bus::LineCutter::kMaxPending);
    KX_FUZZ_CHECK(link.PortOpen() && link.LinkRunning() && shared.TransferAddress >= 0 &&
                  shared.TransferAddress <= static_cast<std::int32_t>(program::kProgramImageSize));
  }
  KX_FUZZ_CHECK(*image == *expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto chunks = kxfuzz::Lines(std::string_view(reinterpret_cast<const char*>(data), size));
  // Supplies the system row of a system download; the link never writes to it.
  static const auto model = std::make_unique<const program::EditorModel>();
  for (Command command : kCommands) Run(chunks, command, *model);
  return 0;
}
