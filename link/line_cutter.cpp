#include "link/line_cutter.h"

namespace bus {

void LineCutter::Keep(std::string_view tail) {
  if (tail.size() >= kMaxPending) {
    dropped += RxBuffer.size() + (tail.size() - kMaxPending);
    RxBuffer.assign(tail.substr(tail.size() - kMaxPending));
    return;
  }
  RxBuffer.append(tail);
  if (RxBuffer.size() > kMaxPending) {
    const std::size_t excess = RxBuffer.size() - kMaxPending;
    RxBuffer.erase(0, excess);
    dropped += excess;
  }
}

}  // namespace bus
