#pragma once
// The controller's real-time clock chip: a wall-clock time that runs on the bus
// time the simulator is fed, and that the PC may set.

#include <cstdint>

#include "link/clock.h"

namespace sim {

class ControllerClock {
 public:
  // Sets the chip to `when` at bus time nowMs. The weekday comes from the date: a
  // weekday that disagrees with it does not survive the next midnight on the chip
  // either. Returns false, changing nothing, for a date or time that cannot exist.
  bool Set(const bus::DateTime& when, std::int64_t nowMs);
  bus::DateTime At(std::int64_t nowMs) const;

 private:
  std::int64_t m_baseSeconds = 0;  // seconds since 1970-01-01 00:00 at m_baseMs
  std::int64_t m_baseMs = 0;
};

}  // namespace sim
