#include "link/transfer_tracker.h"

namespace bus {

void TransferTracker::Start(TransferKind kind, int blocksTotal) {
  Abandon();
  m_status = {kind, TransferState::Running, 0, blocksTotal, m_clock.MonotonicMs(), 0};
  m_events.Emit(TransferStarted{kind, blocksTotal});
}

void TransferTracker::Confirmed(std::int32_t blockAddress, int blocksDone) {
  if (!Running()) return;
  m_status.blocksDone = blocksDone;
  m_events.Emit(BlockConfirmed{m_status.kind, blockAddress, blocksDone, m_status.blocksTotal});
}

void TransferTracker::Complete() {
  if (Running()) End(TransferState::Completed);
}

void TransferTracker::Abandon() {
  if (Running()) End(TransferState::Abandoned);
}

void TransferTracker::End(TransferState state) {
  m_status.state = state;
  m_status.endedMs = m_clock.MonotonicMs();
  m_events.Emit(TransferEnded{m_status.kind, state == TransferState::Completed, m_status.blocksDone,
                              m_status.blocksTotal, m_status.endedMs - m_status.startedMs});
}

std::string InterruptedDownloadText(int blocksDone, int blocksTotal) {
  return "Program yüklemesi yarıda kaldı (blok " + std::to_string(blocksDone) + " / " +
         std::to_string(blocksTotal) + "): yüklemeyi yeniden başlatın";
}

}  // namespace bus
