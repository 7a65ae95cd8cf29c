#include "link/request_engine.h"

#include <algorithm>
#include <span>

#include "link/bus_protocol.h"
#include "link/frame_codec.h"
#include "link/service_commands.h"

namespace bus {

void RequestEngine::SetFrame(std::string frame, bool once, std::int16_t then) {
  m_txFrame = std::move(frame);
  m_frameReady = true;
  m_built = {m_shared.RequestCode, m_shared.TransferAddress, once};
  m_then = then;
}

void RequestEngine::BuildCommand(std::uint8_t direction, std::uint8_t item, bool once, std::int16_t then) {
  CommandPayload p;
  p.requestCode = m_shared.RequestCode;
  p.transferAddress = m_shared.TransferAddress;
  constexpr auto kBlock = static_cast<std::size_t>(kBlockBytes);
  if (direction == kCommandWrite && item == kBlockItem && p.transferAddress >= 0 &&
      static_cast<std::size_t>(p.transferAddress) + kBlock <= m_download.size()) {
    p.block = std::span<const std::uint8_t>(m_download)
                  .subspan(static_cast<std::size_t>(p.transferAddress), kBlock);
  }
  if (direction == kCommandWrite && item == kSystemItem) p.systemRow = m_systemRow;
  if (direction == kCommandWrite && item == kClockItem) p.now = m_clock.Now();

  if (auto frame = MB_CPU_Command(direction, item, p)) {
    SetFrame(std::move(*frame), once, then);
  } else {
    // A transfer that points outside what it may send cannot go on; give the turn
    // back to the poll instead of repeating a frame that can never be built.
    m_shared.RequestCode = 0;
  }
}

void RequestEngine::StartProgramDownload(const program::ProgramImage& image) {
  const auto end = static_cast<std::size_t>(
      std::clamp<std::int32_t>(m_shared.TransferEnd, 0, static_cast<std::int32_t>(image.size())));
  m_download.assign(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(end));
}

void RequestEngine::StartSystemDownload(const program::EditorModel& model, int record) {
  m_systemRow.fill(0);
  if (record < 0 || record >= static_cast<int>(program::kRecordCount)) return;
  const auto& row = model.PgmSteps[static_cast<std::size_t>(record)][1];
  std::copy_n(row.begin(), kSystemRowBytes, m_systemRow.begin());
}

SentRequest RequestEngine::FrameSent() {
  m_frameReady = false;
  // A command given since the frame was built stays; only this one moves on.
  if (m_built.once && m_shared.RequestCode == m_built.request) m_shared.RequestCode = m_then;
  return m_built;
}

void RequestEngine::PC_to_CPU_Istek_Gonder() {
  if (m_frameReady && m_built.once) return;
  std::int16_t& code = m_shared.RequestCode;
  if (code < 10) {
    if (m_pollStep >= 3) m_pollStep = 0;
    ++m_pollStep;
    code = m_pollStep;
  }
  if (ServiceCommandOf(code) != nullptr) {
    BuildCommand(kCommandWrite, kServiceItem, true, 0);
    return;
  }
  switch (code) {
    case 1:
      SetFrame(MB_Write_Single(kCpuStation, kReadRegistersFunction, kCpuRegisterBase, kCpuRegisterCount));
      break;
    case 2: BuildCommand(kCommandRead, kClockItem); break;
    case 3:
      code = 0;
      m_pollStep = 0;
      break;
    case request::kClockSet: BuildCommand(kCommandWrite, kClockItem); break;
    case request::kSystemDownload: BuildCommand(kCommandWrite, kSystemItem); break;
    case request::kBlockWrite: BuildCommand(kCommandWrite, kBlockItem); break;
    case request::kBlockRead: BuildCommand(kCommandRead, kBlockItem); break;
    case request::kDownloadEnd: BuildCommand(kCommandWrite, kServiceItem, true, 0); break;
    case request::kDownloadStart:
      BuildCommand(kCommandWrite, kServiceItem, true, request::kBlockWrite);
      break;
    default:
      code = 0;
      m_pollStep = 0;
      break;
  }
}

}  // namespace bus
