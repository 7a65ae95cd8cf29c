#include "link/request_engine.h"

#include <span>

#include "link/frame_codec.h"

namespace bus {

void RequestEngine::SetFrame(std::string frame) {
  m_txFrame = std::move(frame);
  m_frameReady = true;
}

void RequestEngine::BuildCommand(std::uint8_t direction, std::uint8_t item) {
  CommandPayload p;
  p.requestCode = m_shared.RequestCode;
  p.transferAddress = m_shared.TransferAddress;
  if (direction == 1 && item == 4 && p.transferAddress >= 0 &&
      p.transferAddress + 128 <= static_cast<std::int32_t>(m_image.size())) {
    p.block = std::span<const std::uint8_t>(m_image).subspan(
        static_cast<std::size_t>(p.transferAddress), 128);
  }
  if (direction == 1 && item == 2) {
    const int k = m_memoryListIndex;
    if (k >= 0 && k < static_cast<int>(program::kRecordCount)) {
      p.systemRow = std::span<const std::uint8_t>(m_model.PgmSteps[static_cast<std::size_t>(k)][1])
                        .first(17);
    }
  }
  if (direction == 1 && item == 3) p.now = m_clock.Now();

  if (auto frame = MB_CPU_Command(direction, item, p)) {
    SetFrame(std::move(*frame));
  } else {
    // A transfer that points outside the memory cannot go on; give the turn back
    // to the poll instead of repeating a frame that can never be built.
    m_shared.RequestCode = 0;
  }
}

void RequestEngine::PC_to_CPU_Istek_Gonder() {
  std::int16_t& code = m_shared.RequestCode;
  if (code < 10) {
    if (m_pollStep >= 3) m_pollStep = 0;
    ++m_pollStep;
    code = m_pollStep;
  }
  switch (code) {
    case 1:
      SetFrame(MB_Write_Single(1, 3, 0x2000, 16));
      break;
    case 2:
      BuildCommand(0, 3);
      break;
    case 3:
      code = 0;
      m_pollStep = 0;
      break;
    case request::kClockSet:
      BuildCommand(1, 3);
      break;
    case request::kSystemDownload:
      BuildCommand(1, 2);
      break;
    case request::kBlockWrite:
      BuildCommand(1, 4);
      break;
    case request::kBlockRead:
      BuildCommand(0, 4);
      break;
    case 1001: case 1002: case 1003: case 1004: case 1005:
    case request::kDownloadEnd:
      BuildCommand(1, 99);
      code = 0;
      break;
    case request::kDownloadStart:
      BuildCommand(1, 99);
      code = request::kBlockWrite;
      break;
    default:
      code = 0;
      m_pollStep = 0;
      break;
  }
}

}  // namespace bus
