#pragma once
// Line errors (break, framing, overrun, parity) as the serial driver counts them.
// QSerialPort no longer reports them, so the adapter reads the driver's counters and
// turns what grew into the port event codes the status line knows.

#include <cstdint>
#include <vector>

namespace qtlink {

struct LineErrorCounts {
  std::uint32_t brk = 0;
  std::uint32_t frame = 0;
  std::uint32_t overrun = 0;        // the UART's own buffer
  std::uint32_t bufferOverrun = 0;  // the driver's receive buffer
  std::uint32_t parity = 0;
};

// The event codes of the counters that grew, in code order: 1001 break, 1004
// framing, 1006 overrun, 1008 receive buffer overflow, 1009 parity.
std::vector<int> LineErrorEvents(const LineErrorCounts& before, const LineErrorCounts& now);

}  // namespace qtlink
