#pragma once
// The course of the transfer under way, told once by the link: started, each block
// confirmed, completed or abandoned. Every view (window, progress bar, command line)
// hears the same story from the events this sends.

#include <cstdint>
#include <string>

#include "link/clock.h"
#include "link/link_events.h"
#include "link/transfer_kind.h"

namespace bus {

enum class TransferState { None, Running, Completed, Abandoned };

struct TransferStatus {
  TransferKind kind = TransferKind::None;
  TransferState state = TransferState::None;
  int blocksDone = 0;
  int blocksTotal = 0;
  std::int64_t startedMs = 0;
  std::int64_t endedMs = 0;

  std::int64_t ElapsedMs(std::int64_t nowMs) const {
    return (state == TransferState::Running ? nowMs : endedMs) - startedMs;
  }
};

class TransferTracker {
 public:
  TransferTracker(LinkEvents& events, const Clock& clock) : m_events(events), m_clock(clock) {}

  // A transfer still under way is abandoned first.
  void Start(TransferKind kind, int blocksTotal);
  void Confirmed(std::int32_t blockAddress, int blocksDone);
  void Complete();
  // Nothing happens when no transfer runs.
  void Abandon();

  bool Running() const { return m_status.state == TransferState::Running; }
  bool Running(TransferKind kind) const { return Running() && m_status.kind == kind; }
  const TransferStatus& Status() const { return m_status; }

 private:
  void End(TransferState state);

  LinkEvents& m_events;
  const Clock& m_clock;
  TransferStatus m_status;
};

// The warning an abandoned program download leaves until a download completes.
std::string InterruptedDownloadText(int blocksDone, int blocksTotal);

}  // namespace bus
