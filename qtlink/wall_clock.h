#pragma once
// Where the steady clock the trends are recorded on stands on the PC's wall clock,
// and the decimal separator the system's language writes: what a CSV of the trends
// and the plots' time labels need from the platform.

#include <cstdint>

#include "link/clock.h"
#include "link/trend_csv.h"

namespace qtlink {

// The wall clock now, with its UTC offset, at the clock's steady time now.
bus::WallClockAnchor WallClockNow(const bus::Clock& clock);
// The local wall clock's microseconds since the epoch at steady time 0 of `anchor`.
std::int64_t LocalEpochOffset(const bus::WallClockAnchor& anchor);
// '.' or ','; '.' where the system writes a separator of more than one byte.
char SystemDecimalSeparator();

}  // namespace qtlink
