#include "link/bus_counters.h"

#include <algorithm>

#include "link/frame_meaning.h"

namespace bus {
namespace {

std::size_t Slot(std::int64_t bucket) { return static_cast<std::size_t>(bucket % BusCounters::kBuckets); }

}  // namespace

int CounterKey(LineDirection direction, int address) {
  if (direction == LineDirection::Sent) return kSentByPcKey;
  if (address < 0 || address > 255) return kNoAddressKey;
  return address;
}

std::string CounterName(int key) {
  if (key == kSentByPcKey) return "PC giden";
  if (key == kNoAddressKey) return "adressiz";
  return DeviceName(key);
}

void BusCounters::Count(std::int64_t micros, LineDirection direction, const FrameCheck& check) {
  const auto key = static_cast<std::size_t>(CounterKey(direction, check.address));
  DeviceCount& c = m_counts[key];
  if (micros > c.lastSeenMicros) c.lastSeenMicros = micros;
  if (check.fault != LineFault::None) {
    ++c.refused;
    return;
  }
  ++c.frames;
  Window& w = m_windows[key];
  const std::int64_t bucket = (micros < 0 ? 0 : micros) / kBucketMicros;
  if (bucket > w.newest) {
    // Buckets skipped over saw nothing; at most a whole round of them needs clearing.
    for (std::int64_t b = std::max(w.newest + 1, bucket - kBuckets + 1); b <= bucket; ++b) {
      w.frames[Slot(b)] = 0;
    }
    w.newest = bucket;
  }
  // A line from a clock that went back counts in the newest bucket.
  ++w.frames[Slot(w.newest)];
}

const DeviceCount& BusCounters::Of(int key) const {
  static const DeviceCount kNone{};
  if (key < 0 || key >= kCounterKeys) return kNone;
  return m_counts[static_cast<std::size_t>(key)];
}

double BusCounters::FramesPerSecond(int key, std::int64_t nowMicros) const {
  if (key < 0 || key >= kCounterKeys) return 0;
  const Window& w = m_windows[static_cast<std::size_t>(key)];
  const std::int64_t now = (nowMicros < 0 ? 0 : nowMicros) / kBucketMicros;
  std::uint64_t frames = 0;
  for (std::int64_t b = now - kBuckets + 1; b < now; ++b) {
    if (b >= 0 && b <= w.newest && w.newest - b < kBuckets) frames += w.frames[Slot(b)];
  }
  return static_cast<double>(frames) * 1e6 / static_cast<double>((kBuckets - 1) * kBucketMicros);
}

}  // namespace bus
