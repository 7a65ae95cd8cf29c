#pragma once
// What the CPU card, the triac cards, the GPS receiver and the detector module
// report, derived from the signal groups the plan drives, so that the values the PC
// shows behave like those of a running junction.

#include <array>
#include <cstdint>

#include "link/bus_protocol.h"
#include "link/clock.h"
#include "sim/options.h"
#include "sim/random_source.h"
#include "sim/signal_plan.h"

namespace sim {

inline constexpr int kCardWords = 16;
inline constexpr int kCpuWords = bus::kCpuRegisterCount;

// A faulty card reports a broken red filament on its first channel and a hardware
// fault of the card.
inline constexpr std::uint16_t kFaultChannels = 0x0001;
inline constexpr std::uint16_t kFaultWord = 0x0008;

using CardWords = std::array<std::uint16_t, kCardWords>;

struct FieldDevices {
  std::array<CardWords, kCards> cards{};
  std::array<std::uint16_t, kCpuWords> cpu{};  // registers 0x2000..0x200F
  std::array<std::uint16_t, 8> gps{};          // 1 state, 2..7 second..year
  std::array<std::uint16_t, 2> detector{};     // 0 state, 1 input bits

  // One bus cycle's new readings.
  void Update(const GroupStates& groups, const Options& options, RandomSource& rng, std::int64_t sinceStartMs,
              const bus::DateTime& clock, int record, int step);
};

}  // namespace sim
