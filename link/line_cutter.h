#pragma once
// Cuts the received character stream into lines at LF. The buffer is bounded: noise
// or a wrong bit rate never brings an LF, and must not grow memory without limit.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bus {

class LineCutter {
 public:
  static constexpr std::size_t kMaxPending = 1024;

  // Appends bytes and calls onLine(line) for each complete line, LF included, in order.
  template <typename OnLine>
  void Feed(std::string_view bytes, OnLine&& onLine) {
    while (!bytes.empty()) {
      const std::size_t lf = bytes.find('\n');
      if (lf == std::string_view::npos) {
        Keep(bytes);
        return;
      }
      const std::string_view head = bytes.substr(0, lf + 1);
      bytes.remove_prefix(lf + 1);
      if (RxBuffer.empty()) {
        onLine(head);
      } else {
        RxBuffer.append(head);
        m_line.swap(RxBuffer);
        RxBuffer.clear();
        onLine(std::string_view(m_line));
      }
    }
  }

  // Characters received since the last LF.
  std::string RxBuffer;
  // Characters thrown away because no LF came within kMaxPending.
  std::uint64_t dropped = 0;

 private:
  void Keep(std::string_view tail);
  std::string m_line;
};

}  // namespace bus
