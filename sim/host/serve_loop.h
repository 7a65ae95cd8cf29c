#pragma once
// The simulator's service loop on one endpoint: reads what the PC sends, lets the
// controller run on the real clock, writes what it puts on the bus.

#include <cstdint>
#include <functional>
#include <string>

#include "sim/controller.h"
#include "sim/host/endpoint.h"

namespace sim::host {

struct ServeStats {
  std::uint64_t droppedOut = 0;  // bytes nobody read, dropped as a bus would
};

std::int64_t SteadyMs();

// Serves until stopFd becomes readable (or, with stopFd < 0, until stopRequested
// says so) or the device fails. Returns "" on a requested stop, else the reason.
std::string Serve(Controller& controller, const Endpoint& line, int stopFd,
                  const std::function<bool()>& stopRequested, ServeStats& stats);

}  // namespace sim::host
