#include "qtlink/line_error_counts.h"

namespace qtlink {

std::vector<int> LineErrorEvents(const LineErrorCounts& before, const LineErrorCounts& now) {
  std::vector<int> codes;
  // Counters only grow; a smaller one belongs to another opening and tells nothing.
  const auto grew = [&](std::uint32_t LineErrorCounts::*field, int code) {
    if (now.*field > before.*field) codes.push_back(code);
  };
  grew(&LineErrorCounts::brk, 1001);
  grew(&LineErrorCounts::frame, 1004);
  grew(&LineErrorCounts::overrun, 1006);
  grew(&LineErrorCounts::bufferOverrun, 1008);
  grew(&LineErrorCounts::parity, 1009);
  return codes;
}

}  // namespace qtlink
