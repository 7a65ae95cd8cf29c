#pragma once
// What counts as done for each command of the client, judged from what the link
// reports: a transfer that completed, the clock setting confirmed, a service command
// that went out. A transfer the link abandoned is a failure that says how far it got.

#include <string>

#include "ctl/ctl_options.h"
#include "link/link_events.h"

namespace bus {
class ControllerLink;
struct LinkShared;
}  // namespace bus

namespace ctl {

struct GoalCheck {
  enum class Kind { Pending, Done, Failed };
  Kind kind = Kind::Pending;
  std::string why;  // for Failed: one line for the user
};

class CommandGoal {
 public:
  CommandGoal(Command command, int serviceIndex) : m_command(command), m_serviceIndex(serviceIndex) {}

  // Hands the command to the link; false when the link refused it (port closed).
  bool Start(bus::ControllerLink& link);
  void OnEvent(const bus::LinkEvent& event);
  const GoalCheck& Check() const { return m_check; }
  // What has not happened yet, for the message when the controller stops confirming.
  std::string Awaiting(const bus::LinkShared& shared) const;
  // The caption of the service command this goal sends; "?" for none.
  std::string ServiceCaption() const;

 private:
  void OnTransferEnded(const bus::TransferEnded& ended);

  Command m_command;
  int m_serviceIndex;
  GoalCheck m_check;
};

// What a transfer that stopped before its end leaves behind, with the block it reached.
std::string AbandonedText(bus::TransferKind kind, int blocksDone, int blocksTotal);

}  // namespace ctl
