#pragma once
// Which stretch of the recorded time the trends window shows: the last minute, ten
// minutes, hour or everything, following the newest sample, or held still when the
// user pauses, zooms or pans (recording goes on behind it).

#include <cstdint>

namespace monitor {

struct TimeRange {
  std::int64_t from = 0;
  std::int64_t to = 0;
};

class TrendView {
 public:
  static constexpr std::int64_t kMinute = 60'000'000;
  static constexpr std::int64_t kNarrowest = 1'000'000;  // zoom stops at one second

  // The span shown; 0 shows everything recorded.
  void SetSpan(std::int64_t micros);
  std::int64_t Span() const { return m_span; }

  // Pausing holds the right edge where it is now.
  void SetPaused(bool paused, std::int64_t first, std::int64_t last);
  bool Paused() const { return m_paused; }

  // What is seen of a recording from `first` to `last` (both -1 when empty).
  TimeRange Visible(std::int64_t first, std::int64_t last) const;

  // Zoom by `factor` (below 1: in) about the time at `fraction` of the width; drag the
  // picture by `fraction` of the width (to the right: earlier times). Both hold still.
  void Zoom(std::int64_t first, std::int64_t last, double fraction, double factor);
  void Pan(std::int64_t first, std::int64_t last, double fraction);

 private:
  std::int64_t m_span = kMinute;
  bool m_paused = false;
  std::int64_t m_end = 0;  // the right edge while paused
};

}  // namespace monitor
