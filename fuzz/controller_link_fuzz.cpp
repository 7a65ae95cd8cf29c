// The whole link over a fake port: bytes arrive line by line while a user command
// runs (what must hold: fuzz/README.md).

#include "fuzz/fuzz_support.h"
#include "link/controller_link.h"
#include "program/editor_model.h"
#include "program/program_checksum.h"
#include "sim/bus_frames.h"

#include "tests/link/fakes.h"

namespace {

using program::ProgramImage;

enum class Command { None, Upload, EventLog, Download, SystemDownload, ClockSet, ResetCpu };

// Read by the simulated controller's strict reader, which the link's writer shares no
// code with; the controller itself reads upper-case digits only.
void CheckSent(std::string_view frame, const ProgramImage& image) {
  const auto f = sim::ReadPcFrame(frame);
  KX_FUZZ_CHECK(f.has_value() && frame.find_first_of("abcdef") == std::string_view::npos);
  // A register read of six bytes, or a request as the PC station.
  KX_FUZZ_CHECK(f->address() == 0x01 ? f->size == 6 && f->function() == 0x03
                                     : f->size >= 4 && f->address() == 0x10 && f->function() == 0xCF);
  if (f->size >= 8 && f->at(3) == 4) {
    const std::size_t address = f->word(4);
    KX_FUZZ_CHECK(address + 128 <= program::kProgramImageSize);
    if (f->at(2) == 1) {
      KX_FUZZ_CHECK(f->size == 8 + 128 && address + 128 <= program::kDownloadEnd &&
                    std::equal(f->bytes.begin() + 8, f->bytes.end(),
                               image.begin() + static_cast<std::ptrdiff_t>(address)));
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
  for (int c = 0; c <= static_cast<int>(Command::ResetCpu); ++c) Run(chunks, static_cast<Command>(c), *model);
  return 0;
}
