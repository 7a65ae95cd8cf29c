#include "monitor/trend_view.h"

#include <algorithm>
#include <cmath>

namespace monitor {

void TrendView::SetSpan(std::int64_t micros) { m_span = std::max<std::int64_t>(micros, 0); }

void TrendView::SetPaused(bool paused, std::int64_t first, std::int64_t last) {
  if (paused && !m_paused) m_end = Visible(first, last).to;
  m_paused = paused;
}

TimeRange TrendView::Visible(std::int64_t first, std::int64_t last) const {
  if (first < 0 || last < first) {
    first = 0;
    last = 0;
  }
  TimeRange r;
  r.to = m_paused ? m_end : last;
  r.from = m_span > 0 ? r.to - m_span : first;
  if (r.to - r.from < kNarrowest) r.from = r.to - kNarrowest;
  return r;
}

void TrendView::Zoom(std::int64_t first, std::int64_t last, double fraction, double factor) {
  const TimeRange r = Visible(first, last);
  const auto width = static_cast<double>(r.to - r.from);
  fraction = std::clamp(fraction, 0.0, 1.0);
  const double at = static_cast<double>(r.from) + fraction * width;
  // A week is wide enough for any day's recording.
  const double span = std::clamp(width * factor, static_cast<double>(kNarrowest), 7.0 * 24 * 60 * kMinute);
  m_span = static_cast<std::int64_t>(std::llround(span));
  m_end = static_cast<std::int64_t>(std::llround(at + (1.0 - fraction) * span));
  m_paused = true;
}

void TrendView::Pan(std::int64_t first, std::int64_t last, double fraction) {
  const TimeRange r = Visible(first, last);
  const std::int64_t width = r.to - r.from;
  m_span = width;
  m_end = r.to - static_cast<std::int64_t>(std::llround(fraction * static_cast<double>(width)));
  m_paused = true;
}

}  // namespace monitor
