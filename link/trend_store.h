#pragma once
// What the junction did over time: every PC turn's values, kept within a fixed memory
// bound however long the program runs. The newest hour is kept at full rate; older
// samples are thinned into buckets that keep each series' minimum, maximum and mean,
// and when the buckets run out, neighbours merge and the buckets grow twice as wide,
// so nothing is dropped, only seen coarser. Values that hold for a while (run states,
// fault words, lamp states) are kept as intervals, and each fault bit that appears or
// clears is an event of its own.
//
// A plot asks for a series between two times at the resolution of its pixels and gets
// one point (minimum, maximum, mean) per pixel, whatever the span.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "link/register_image.h"
#include "link/trend_series.h"

namespace bus {

struct TrendLimits {
  std::size_t rawSamples = 18'000;  // an hour at five turns a second
  std::size_t buckets = 16'384;
  std::int64_t firstBucketMicros = 1'000'000;
  std::size_t maxSteps = 65'536;  // intervals kept per step series
  std::size_t maxFaultEvents = 65'536;
};

// Samples of one series taken together: from `start` to `end`, `count` PC turns.
struct TrendPoint {
  std::int64_t start = 0;
  std::int64_t end = 0;
  std::int32_t min = 0;
  std::int32_t max = 0;
  double mean = 0;
  std::uint32_t count = 0;
};

// A value that held from `start` to `end`; kNoValue while the link was down.
inline constexpr std::int32_t kNoValue = -1;
struct StepInterval {
  std::int64_t start = 0;
  std::int64_t end = 0;
  std::int32_t value = kNoValue;
  bool operator==(const StepInterval&) const = default;
};

enum class FaultWord : std::uint8_t { Card, Channel };  // word 9, word 3
struct FaultEvent {
  std::int64_t micros = 0;
  std::uint8_t card = 0;
  FaultWord word = FaultWord::Card;
  std::uint8_t bit = 0;
  bool appeared = false;
  bool operator==(const FaultEvent&) const = default;
};

// One row of an export: a full-rate sample (count 1), or a bucket's means.
struct TrendRow {
  std::int64_t start = 0;
  std::int64_t end = 0;
  std::uint32_t count = 0;
  TrendValues values{};
};

class TrendStore {
 public:
  explicit TrendStore(TrendLimits limits = {});

  // At every PC turn. A time before the last one counts as the last one.
  void Record(std::int64_t micros, const RegisterImage& regs);
  void Record(std::int64_t micros, const TrendValues& values, const TrendSteps& steps);
  // The link closed or went silent: step series hold no value until the next Record.
  void Interrupt(std::int64_t micros);
  void Clear();

  bool Empty() const { return m_first < 0; }
  std::int64_t FirstMicros() const { return m_first; }
  std::int64_t LastMicros() const { return m_last; }

  // Points of one series within [from, to), one per `resolution` (0: every point kept).
  std::vector<TrendPoint> Samples(int series, std::int64_t from, std::int64_t to,
                                  std::int64_t resolution) const;
  // The sample in force at a time, or the bucket that holds it.
  std::optional<TrendPoint> ValueAt(int series, std::int64_t micros) const;

  // Intervals of a step series within [from, to), cut to that span.
  std::vector<StepInterval> Steps(int step, std::int64_t from, std::int64_t to) const;
  std::int32_t StepAt(int step, std::int64_t micros) const;
  std::vector<FaultEvent> FaultEvents(std::int64_t from, std::int64_t to) const;

  // Every bucket, then every full-rate sample, oldest first.
  void ForEachRow(const std::function<void(const TrendRow&)>& f) const;

  std::int64_t BucketMicros() const { return m_bucketWidth; }
  // What the store holds on the heap, reserved space included.
  std::size_t MemoryBytes() const;

 private:
  struct Aggregate {
    std::int32_t min;
    std::int32_t max;
    std::int64_t sum;
  };
  struct Step {
    std::int64_t start;
    std::int32_t value;
  };

  std::size_t RawPlace(std::size_t i) const;  // where the i-th oldest sample lies
  std::int64_t RawTime(std::size_t i) const;
  std::int32_t RawValue(std::size_t place, std::size_t series) const;
  std::size_t RawLowerBound(std::int64_t micros) const;
  Aggregate& Bucket(std::size_t pos, std::size_t series);
  const Aggregate& Bucket(std::size_t pos, std::size_t series) const;
  void Fold(std::size_t place);
  void MergeBuckets();
  void AppendEmptyBucket();
  std::int64_t BucketStart(std::size_t pos) const;
  void AddStep(int step, std::int64_t micros, std::int32_t value);
  void AddFaultEvents(std::int64_t micros, int card, FaultWord word, std::int32_t before, std::int32_t after);

  TrendLimits m_limits;
  std::int64_t m_first = -1;
  std::int64_t m_last = -1;

  // Full rate: a ring of the newest samples, oldest at m_rawHead. Values lie series
  // by series, so that a plot of one series reads one run of memory.
  std::vector<std::int64_t> m_rawTimes;
  std::vector<std::int32_t> m_rawValues;
  std::size_t m_rawHead = 0;
  std::size_t m_rawCount = 0;

  // Thinned: bucket `pos` covers [m_origin + (m_bucketFirst + pos) * width, ... + width).
  std::int64_t m_origin = 0;
  std::int64_t m_bucketWidth = 0;
  std::int64_t m_bucketFirst = 0;
  std::vector<std::uint32_t> m_bucketCounts;
  std::vector<Aggregate> m_buckets;  // series by series, m_limits.buckets each

  std::vector<std::deque<Step>> m_steps;
  std::deque<FaultEvent> m_faults;
  TrendSteps m_lastSteps{};
};

}  // namespace bus
