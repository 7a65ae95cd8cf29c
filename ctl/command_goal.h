#pragma once
// What counts as done for each command of the client, judged from the link state
// alone: the decoder moves RequestCode and TransferAddress on as the controller
// confirms, and the commands it never confirms are done once their frame has left.

#include <cstdint>
#include <string>

#include "ctl/ctl_options.h"
#include "ctl/once_sent_watch.h"

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
  CommandGoal(Command command, int serviceIndex);

  // Hands the command to the link; false when the link refused it (port closed).
  bool Start(bus::ControllerLink& link);
  // At every PC turn, before the engine builds the turn's frame.
  void BeforeTurn(const bus::ControllerLink& link, const bus::LinkShared& shared);
  // After any event of the link.
  GoalCheck Check(const bus::ControllerLink& link, const bus::LinkShared& shared);
  // What has not happened yet, for the message when the controller stops confirming.
  std::string Awaiting(const bus::LinkShared& shared) const;

 private:
  std::string ServiceCaption() const;

  Command m_command;
  int m_serviceIndex;
  OnceSentWatch m_first;   // service command, download start, or Reset CPU after the system write
  OnceSentWatch m_second;  // download end
};

}  // namespace ctl
