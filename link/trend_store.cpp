#include "link/trend_store.h"

#include <algorithm>
#include <limits>

#include "link/number_text.h"

namespace bus {
namespace {

constexpr auto kSeries = static_cast<std::size_t>(kValueSeries);

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Accumulates the items of one output point.
struct PointBuilder {
  std::vector<TrendPoint>& out;
  std::int64_t from;
  std::int64_t resolution;
  TrendPoint point;
  std::int64_t sum = 0;
  std::int64_t binEnd = 0;  // items come in time order: one division per point, not per item
  bool open = false;

  void Add(std::int64_t start, std::int64_t end, std::int32_t min, std::int32_t max, std::int64_t itemSum,
           std::uint32_t count) {
    if (open && start < binEnd) {
      point.end = std::max(point.end, end);
      point.min = std::min(point.min, min);
      point.max = std::max(point.max, max);
      point.count += count;
      sum += itemSum;
      return;
    }
    Close();
    point = {start, end, min, max, 0, count};
    sum = itemSum;
    binEnd = resolution > 0 ? from + (FloorDiv(start - from, resolution) + 1) * resolution : start;
    open = true;
  }
  void Close() {
    if (!open) return;
    point.mean = static_cast<double>(sum) / point.count;
    out.push_back(point);
    open = false;
  }
};

}  // namespace

TrendStore::TrendStore(TrendLimits limits) : m_limits(limits) {
  m_limits.rawSamples = std::max<std::size_t>(m_limits.rawSamples, 1);
  m_limits.buckets = std::max<std::size_t>(m_limits.buckets, 2);
  m_limits.firstBucketMicros = std::max<std::int64_t>(m_limits.firstBucketMicros, 1);
  m_limits.maxSteps = std::max<std::size_t>(m_limits.maxSteps, 1);
  Clear();
}

void TrendStore::Clear() {
  m_first = m_last = -1;
  m_rawTimes.clear();
  m_rawValues.clear();
  m_rawHead = m_rawCount = 0;
  m_origin = 0;
  m_bucketWidth = m_limits.firstBucketMicros;
  m_bucketFirst = 0;
  m_bucketCounts.clear();
  m_buckets.clear();
  m_steps.assign(kStepSeries, {});
  m_faults.clear();
  m_lastSteps = {};
}

void TrendStore::Record(std::int64_t micros, const RegisterImage& regs) {
  TrendValues values;
  TrendSteps steps;
  ReadTrendSample(regs, values, steps);
  Record(micros, values, steps);
}

void TrendStore::Record(std::int64_t micros, const TrendValues& values, const TrendSteps& steps) {
  if (Empty()) {
    m_first = micros;
    m_origin = micros;
    m_rawTimes.resize(m_limits.rawSamples);
    m_rawValues.resize(m_limits.rawSamples * kSeries);
  }
  micros = std::max(micros, m_last);
  m_last = micros;

  if (m_rawCount == m_limits.rawSamples) {
    Fold(m_rawHead);
    m_rawHead = (m_rawHead + 1) % m_limits.rawSamples;
    --m_rawCount;
  }
  const std::size_t at = RawPlace(m_rawCount);
  m_rawTimes[at] = micros;
  for (std::size_t v = 0; v < kSeries; ++v) m_rawValues[v * m_limits.rawSamples + at] = values[v];
  ++m_rawCount;

  for (int s = 0; s < kStepSeries; ++s) AddStep(s, micros, steps[static_cast<std::size_t>(s)]);
  for (int c = 0; c < kTriacCards; ++c) {
    const auto card = static_cast<std::size_t>(CardFaultStep(c));
    const auto channel = static_cast<std::size_t>(ChannelFaultStep(c));
    AddFaultEvents(micros, c, FaultWord::Card, m_lastSteps[card], steps[card]);
    AddFaultEvents(micros, c, FaultWord::Channel, m_lastSteps[channel], steps[channel]);
  }
  m_lastSteps = steps;
}

void TrendStore::Interrupt(std::int64_t micros) {
  if (Empty()) return;
  m_last = std::max(micros, m_last);
  for (int s = 0; s < kStepSeries; ++s) AddStep(s, m_last, kNoValue);
}

void TrendStore::AddStep(int step, std::int64_t micros, std::int32_t value) {
  auto& steps = m_steps[static_cast<std::size_t>(step)];
  if (!steps.empty() && steps.back().value == value) return;
  if (!steps.empty() && steps.back().start == micros) {
    // Two values at one instant: the later one holds.
    steps.back().value = value;
    if (steps.size() >= 2 && steps[steps.size() - 2].value == value) steps.pop_back();
    return;
  }
  steps.push_back({micros, value});
  if (steps.size() > m_limits.maxSteps) steps.pop_front();
}

void TrendStore::AddFaultEvents(std::int64_t micros, int card, FaultWord word, std::int32_t before,
                                std::int32_t after) {
  const std::int32_t changed = (before ^ after) & 0xFFFF;
  for (int bit = 0; bit < 16; ++bit) {
    if ((changed >> bit & 1) == 0) continue;
    m_faults.push_back({micros, static_cast<std::uint8_t>(card), word, static_cast<std::uint8_t>(bit),
                        (after >> bit & 1) != 0});
    if (m_faults.size() > m_limits.maxFaultEvents) m_faults.pop_front();
  }
}

std::size_t TrendStore::RawPlace(std::size_t i) const { return (m_rawHead + i) % m_limits.rawSamples; }

std::int64_t TrendStore::RawTime(std::size_t i) const { return m_rawTimes[RawPlace(i)]; }

std::int32_t TrendStore::RawValue(std::size_t place, std::size_t series) const {
  return m_rawValues[series * m_limits.rawSamples + place];
}

TrendStore::Aggregate& TrendStore::Bucket(std::size_t pos, std::size_t series) {
  return m_buckets[series * m_limits.buckets + pos];
}

const TrendStore::Aggregate& TrendStore::Bucket(std::size_t pos, std::size_t series) const {
  return m_buckets[series * m_limits.buckets + pos];
}

std::size_t TrendStore::RawLowerBound(std::int64_t micros) const {
  std::size_t lo = 0;
  std::size_t hi = m_rawCount;
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (RawTime(mid) < micros)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

std::int64_t TrendStore::BucketStart(std::size_t pos) const {
  return m_origin + (m_bucketFirst + static_cast<std::int64_t>(pos)) * m_bucketWidth;
}

void TrendStore::AppendEmptyBucket() {
  const std::size_t pos = m_bucketCounts.size();
  m_bucketCounts.push_back(0);
  for (std::size_t s = 0; s < kSeries; ++s) {
    Bucket(pos, s) = {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(), 0};
  }
}

// Buckets twice as wide: neighbours fold into one, in place, front to back.
void TrendStore::MergeBuckets() {
  const std::int64_t first = m_bucketFirst / 2;
  const auto target = [&](std::size_t pos) {
    return static_cast<std::size_t>((m_bucketFirst + static_cast<std::int64_t>(pos)) / 2 - first);
  };
  const std::size_t count = m_bucketCounts.size();
  for (std::size_t s = 0; s < kSeries; ++s) {
    for (std::size_t pos = 0; pos < count; ++pos) {
      const std::size_t to = target(pos);
      const Aggregate src = Bucket(pos, s);
      Aggregate& dst = Bucket(to, s);
      if (pos == 0 || to != target(pos - 1)) {
        dst = src;
      } else {
        dst.min = std::min(dst.min, src.min);
        dst.max = std::max(dst.max, src.max);
        dst.sum += src.sum;
      }
    }
  }
  std::size_t kept = 0;
  for (std::size_t pos = 0; pos < count; ++pos) {
    const std::size_t to = target(pos);
    if (pos == 0 || to != target(pos - 1)) {
      m_bucketCounts[to] = m_bucketCounts[pos];
      kept = to + 1;
    } else {
      m_bucketCounts[to] += m_bucketCounts[pos];
    }
  }
  m_bucketCounts.resize(kept);
  m_bucketFirst = first;
  m_bucketWidth *= 2;
}

void TrendStore::Fold(std::size_t place) {
  const std::int64_t micros = m_rawTimes[place];
  if (m_bucketCounts.empty()) {
    m_bucketFirst = FloorDiv(micros - m_origin, m_bucketWidth);
    m_bucketCounts.reserve(m_limits.buckets);
    m_buckets.resize(m_limits.buckets * kSeries);
  }
  std::int64_t pos = FloorDiv(micros - m_origin, m_bucketWidth) - m_bucketFirst;
  while (pos >= static_cast<std::int64_t>(m_limits.buckets)) {
    MergeBuckets();
    pos = FloorDiv(micros - m_origin, m_bucketWidth) - m_bucketFirst;
  }
  pos = std::max<std::int64_t>(pos, 0);
  while (static_cast<std::int64_t>(m_bucketCounts.size()) <= pos) AppendEmptyBucket();
  const auto at = static_cast<std::size_t>(pos);
  ++m_bucketCounts[at];
  for (std::size_t s = 0; s < kSeries; ++s) {
    Aggregate& a = Bucket(at, s);
    const std::int32_t v = RawValue(place, s);
    a.min = std::min(a.min, v);
    a.max = std::max(a.max, v);
    a.sum += v;
  }
}

std::vector<TrendPoint> TrendStore::Samples(int series, std::int64_t from, std::int64_t to,
                                            std::int64_t resolution) const {
  std::vector<TrendPoint> out;
  if (series < 0 || series >= kValueSeries || from >= to || Empty()) return out;
  const auto s = static_cast<std::size_t>(series);
  PointBuilder points{out, from, resolution, {}};

  const std::int64_t rawStart = m_rawCount > 0 ? RawTime(0) : std::numeric_limits<std::int64_t>::max();
  if (!m_bucketCounts.empty() && from < rawStart) {
    const auto count = static_cast<std::int64_t>(m_bucketCounts.size());
    const std::int64_t first =
        std::max<std::int64_t>(FloorDiv(from - m_origin, m_bucketWidth) - m_bucketFirst, 0);
    const std::int64_t last = std::min(FloorDiv(to - 1 - m_origin, m_bucketWidth) - m_bucketFirst, count - 1);
    for (std::int64_t pos = first; pos <= last; ++pos) {
      const auto p = static_cast<std::size_t>(pos);
      if (m_bucketCounts[p] == 0) continue;
      const Aggregate& a = Bucket(p, s);
      const std::int64_t start = BucketStart(p);
      points.Add(start, std::min(start + m_bucketWidth, rawStart), a.min, a.max, a.sum, m_bucketCounts[p]);
    }
  }
  // Walk the ring by its physical places: no division per sample on a day's plot.
  std::size_t at = (m_rawHead + RawLowerBound(from)) % m_limits.rawSamples;
  for (std::size_t i = RawLowerBound(from); i < m_rawCount; ++i) {
    const std::int64_t t = m_rawTimes[at];
    if (t >= to) break;
    const std::int32_t v = RawValue(at, s);
    points.Add(t, t, v, v, v, 1);
    if (++at == m_limits.rawSamples) at = 0;
  }
  points.Close();
  return out;
}

std::optional<TrendPoint> TrendStore::ValueAt(int series, std::int64_t micros) const {
  if (series < 0 || series >= kValueSeries || Empty()) return std::nullopt;
  const auto s = static_cast<std::size_t>(series);
  if (m_rawCount > 0 && micros >= RawTime(0)) {
    std::size_t i = RawLowerBound(micros);
    if (i == m_rawCount || RawTime(i) > micros) --i;
    const std::int32_t v = RawValue(RawPlace(i), s);
    return TrendPoint{RawTime(i), RawTime(i), v, v, static_cast<double>(v), 1};
  }
  if (m_bucketCounts.empty()) return std::nullopt;
  const std::int64_t pos = FloorDiv(micros - m_origin, m_bucketWidth) - m_bucketFirst;
  if (pos < 0 || pos >= static_cast<std::int64_t>(m_bucketCounts.size())) return std::nullopt;
  const auto p = static_cast<std::size_t>(pos);
  if (m_bucketCounts[p] == 0) return std::nullopt;
  const Aggregate& a = Bucket(p, s);
  return TrendPoint{BucketStart(p),
                    BucketStart(p) + m_bucketWidth,
                    a.min,
                    a.max,
                    static_cast<double>(a.sum) / m_bucketCounts[p],
                    m_bucketCounts[p]};
}

std::vector<StepInterval> TrendStore::Steps(int step, std::int64_t from, std::int64_t to) const {
  std::vector<StepInterval> out;
  if (step < 0 || step >= kStepSeries || from >= to) return out;
  const auto& steps = m_steps[static_cast<std::size_t>(step)];
  auto it = std::upper_bound(steps.begin(), steps.end(), from,
                             [](std::int64_t t, const Step& s) { return t < s.start; });
  if (it != steps.begin()) --it;
  for (; it != steps.end() && it->start < to; ++it) {
    const std::int64_t end = std::next(it) != steps.end() ? std::next(it)->start : m_last;
    const std::int64_t a = std::max(it->start, from);
    const std::int64_t b = std::min(end, to);
    if (a < b) out.push_back({a, b, it->value});
  }
  return out;
}

std::int32_t TrendStore::StepAt(int step, std::int64_t micros) const {
  if (step < 0 || step >= kStepSeries || micros > m_last) return kNoValue;
  const auto& steps = m_steps[static_cast<std::size_t>(step)];
  const auto it = std::upper_bound(steps.begin(), steps.end(), micros,
                                   [](std::int64_t t, const Step& s) { return t < s.start; });
  return it == steps.begin() ? kNoValue : std::prev(it)->value;
}

std::vector<FaultEvent> TrendStore::FaultEvents(std::int64_t from, std::int64_t to) const {
  const auto first = std::lower_bound(m_faults.begin(), m_faults.end(), from,
                                      [](const FaultEvent& e, std::int64_t t) { return e.micros < t; });
  const auto last = std::lower_bound(first, m_faults.end(), to,
                                     [](const FaultEvent& e, std::int64_t t) { return e.micros < t; });
  return {first, last};
}

void TrendStore::ForEachRow(const std::function<void(const TrendRow&)>& f) const {
  TrendRow row;
  const std::int64_t rawStart = m_rawCount > 0 ? RawTime(0) : std::numeric_limits<std::int64_t>::max();
  for (std::size_t p = 0; p < m_bucketCounts.size(); ++p) {
    if (m_bucketCounts[p] == 0) continue;
    row.start = BucketStart(p);
    row.end = std::min(row.start + m_bucketWidth, rawStart);
    row.count = m_bucketCounts[p];
    for (std::size_t s = 0; s < kSeries; ++s) {
      row.values[s] = static_cast<std::int32_t>(RoundedQuotient(Bucket(p, s).sum, row.count));
    }
    f(row);
  }
  for (std::size_t i = 0; i < m_rawCount; ++i) {
    row.start = row.end = RawTime(i);
    row.count = 1;
    for (std::size_t s = 0; s < kSeries; ++s) row.values[s] = RawValue(RawPlace(i), s);
    f(row);
  }
}

std::size_t TrendStore::MemoryBytes() const {
  std::size_t bytes = sizeof(*this) + m_rawTimes.capacity() * sizeof(std::int64_t) +
                      m_rawValues.capacity() * sizeof(std::int32_t) +
                      m_bucketCounts.capacity() * sizeof(std::uint32_t) +
                      m_buckets.capacity() * sizeof(Aggregate) + m_faults.size() * sizeof(FaultEvent) +
                      m_steps.capacity() * sizeof(std::deque<Step>);
  for (const auto& steps : m_steps) bytes += steps.size() * sizeof(Step);
  return bytes;
}

}  // namespace bus
