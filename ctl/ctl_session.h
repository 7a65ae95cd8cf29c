#pragma once
// Runs one command of kx7140ctl over the controller link: loads or checks the project
// file, opens the port, hands the command to the link, lets the Qt event loop drive
// it until the controller has confirmed it (or it has been sent, for the commands the
// controller never confirms), and prints the outcome. Never waits for ever: without a
// PC turn, or without progress, for the time-out it gives up.

#include <functional>
#include <iosfwd>

#include "ctl/ctl_options.h"

namespace ctl {

struct SessionIo {
  std::ostream& out;
  std::ostream& err;
  bool progress = false;              // draw the progress bar on err
  std::function<bool()> interrupted;  // polled; true ends the run
};

// Needs a QCoreApplication. Returns the exit status of ctl/exit_status.h.
int RunCommand(const CtlOptions& options, const SessionIo& io);

}  // namespace ctl
