#include "sim/field_devices.h"

#include <algorithm>

#include "program/signal_state.h"

namespace sim {
namespace {

constexpr int kRedMilliamps = 450;
constexpr int kYellowMilliamps = 400;
constexpr int kGreenMilliamps = 380;
constexpr std::int64_t kGpsFixMs = 5000;
constexpr std::int64_t kBlinkHalfMs = 500;

std::uint16_t Clamp16(int v) { return static_cast<std::uint16_t>(std::clamp(v, 0, 0xFFFF)); }

int ChannelCurrent(std::uint8_t code, bool blinkLit, bool redBroken, RandomSource& rng) {
  int lit = program::LitStateCode(code, blinkLit);
  if (redBroken) lit &= ~1;
  if (lit == 0) return static_cast<int>(rng.Below(4));  // leakage of an off triac
  int mA = 0;
  if (lit & 1) mA += kRedMilliamps;
  if (lit & 2) mA += kYellowMilliamps;
  if (lit & 4) mA += kGreenMilliamps;
  return mA + rng.Jitter(12);
}

}  // namespace

void FieldDevices::Update(const GroupStates& groups, const Options& o, RandomSource& rng,
                          std::int64_t sinceStartMs, const bus::DateTime& clock, int record, int step) {
  const bool blinkLit = (sinceStartMs / kBlinkHalfMs) % 2 == 0;
  int totalMilliamps = 0;
  for (int c = 0; c < kCards; ++c) {
    CardWords& w = cards[static_cast<std::size_t>(c)];
    const bool faulty = o.cardFault[static_cast<std::size_t>(c)];
    std::uint16_t lamps = 0;
    for (int ch = 0; ch < 4; ++ch) {
      const std::uint8_t code = groups[4 * static_cast<std::size_t>(c) + static_cast<std::size_t>(ch)];
      lamps = static_cast<std::uint16_t>(lamps | (code & 0x0F) << (4 * ch));
      const int mA = ChannelCurrent(code, blinkLit, faulty && ch == 0, rng);
      w[4 + static_cast<std::size_t>(ch)] = Clamp16(mA);
      totalMilliamps += mA;
    }
    w[0] = 2;  // running
    w[2] = lamps;
    w[3] = faulty ? kFaultChannels : 0;
    w[8] = Clamp16(2500 + rng.Jitter(8));  // 24 V, in 10 mV steps above 1 V
    w[9] = faulty ? kFaultWord : 0;
  }

  cpu.fill(0);
  cpu[0] = 2;
  cpu[1] = Clamp16(record);
  cpu[2] = Clamp16(step);
  cpu[3] = Clamp16(23000 + rng.Jitter(60));
  cpu[4] = Clamp16(5000 + rng.Jitter(4));
  cpu[5] = Clamp16(2400 + rng.Jitter(5));
  cpu[7] = Clamp16(34 + rng.Jitter(1));
  cpu[8] = Clamp16(totalMilliamps / 10 + 25);  // the CPU card's own draw on top

  gps.fill(0);
  if (sinceStartMs < kGpsFixMs) {
    gps[1] = 1;  // still searching: no time to report
  } else {
    gps[1] = 2;
    gps[2] = Clamp16(clock.second);
    gps[3] = Clamp16(clock.minute);
    gps[4] = Clamp16(clock.hour);
    gps[5] = Clamp16(clock.day);
    gps[6] = Clamp16(clock.month);
    gps[7] = Clamp16(clock.year);
  }

  detector[0] = 2;
  // Vehicles come and go: now and then one loop changes state.
  if (rng.Chance(0.03)) detector[1] = static_cast<std::uint16_t>(detector[1] ^ (1u << rng.Below(4)));
}

}  // namespace sim
