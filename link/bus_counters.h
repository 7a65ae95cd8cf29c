#pragma once
// How much each device says on the bus: frames, refused lines, when it last spoke and
// its frame rate over the last seconds. Counted from every line as it arrives, for
// the monitor's counter table and kx7140ctl; kept for the whole session, whatever
// the line store has already let go.

#include <array>
#include <cstdint>
#include <string>

#include "link/bus_line.h"
#include "link/frame_check.h"

namespace bus {

// Received lines count under their address (0..255); the PC's own frames and lines
// without a readable address each have a key of their own.
inline constexpr int kSentByPcKey = 256;
inline constexpr int kNoAddressKey = 257;
inline constexpr int kCounterKeys = 258;

int CounterKey(LineDirection direction, int address);
// "K3", "CPU", ... for an address; "PC giden" and "adressiz" for the other two keys.
std::string CounterName(int key);

struct DeviceCount {
  std::uint64_t frames = 0;   // well-formed lines
  std::uint64_t refused = 0;  // lines that are not
  std::int64_t lastSeenMicros = -1;
};

class BusCounters {
 public:
  // The rate is taken over this many buckets of kBucketMicros, the newest (still
  // filling) one left out.
  static constexpr int kBuckets = 11;
  static constexpr std::int64_t kBucketMicros = 500'000;

  void Count(std::int64_t micros, LineDirection direction, const FrameCheck& check);
  const DeviceCount& Of(int key) const;
  // Well-formed frames per second over the last five seconds before `nowMicros`.
  double FramesPerSecond(int key, std::int64_t nowMicros) const;
  // Keys that have seen a line, in key order, so a table lists only those.
  template <typename F>
  void ForEachSeen(F&& f) const {
    for (int k = 0; k < kCounterKeys; ++k) {
      if (m_counts[static_cast<std::size_t>(k)].lastSeenMicros >= 0)
        f(k, m_counts[static_cast<std::size_t>(k)]);
    }
  }
  void Clear() { *this = BusCounters(); }

 private:
  struct Window {
    std::array<std::uint32_t, kBuckets> frames{};
    std::int64_t newest = -1;  // bucket number (micros / kBucketMicros) of the newest bucket
  };
  std::array<DeviceCount, kCounterKeys> m_counts{};
  std::array<Window, kCounterKeys> m_windows{};
};

}  // namespace bus
