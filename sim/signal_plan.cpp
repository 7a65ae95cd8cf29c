#include "sim/signal_plan.h"

#include <algorithm>

#include "program/memory_map.h"

namespace sim {
namespace {
// The flash pattern is step 1 of record 1, "Flas Programi".
constexpr std::size_t kFlashRecordStates = program::kFlashRecord1Base + program::kFlashStatesOffset;
}  // namespace

SignalPlan::SignalPlan(int record) : m_record(std::clamp(record, 2, 18)) {}

std::size_t SignalPlan::Base() const {
  return program::ProgramRecordBase(static_cast<std::size_t>(m_record));
}

int SignalPlan::Duration(const program::ProgramImage& m, int step) const {
  return m[Base() + program::kDurationsOffset + static_cast<std::size_t>(step - 1)];
}

void SignalPlan::Restart(std::int64_t nowMs) {
  m_step = 1;
  m_stepStartMs = nowMs;
  m_started = true;
}

bool SignalPlan::Flashing(const program::ProgramImage& m) const { return m_flash || Duration(m, 1) == 0; }

void SignalPlan::Advance(const program::ProgramImage& m, std::int64_t nowMs) {
  if (!m_started) Restart(nowMs);
  if (Flashing(m)) {
    m_step = 1;
    m_stepStartMs = nowMs;
    return;
  }
  // One pass over every step is enough for any ordinary tick; a larger jump of the
  // clock restarts the current step rather than looping through hours of plan.
  for (int guard = 0; guard <= kMaxSteps; ++guard) {
    const int d = Duration(m, m_step);
    if (d == 0) {
      m_step = 1;
      continue;
    }
    if (nowMs - m_stepStartMs < d * 1000LL) return;
    m_stepStartMs += d * 1000LL;
    m_step = m_step == kMaxSteps ? 1 : m_step + 1;
  }
  m_stepStartMs = nowMs;
}

GroupStates SignalPlan::Groups(const program::ProgramImage& m) const {
  GroupStates g{};
  std::size_t states =
      Base() + program::kStatesOffset + program::kStateBytes * static_cast<std::size_t>(m_step - 1);
  if (Flashing(m)) {
    states = kFlashRecordStates;
    const bool empty =
        std::all_of(m.begin() + states, m.begin() + states + 16, [](std::uint8_t b) { return b == 0; });
    // A controller without a flash pattern still must not show dark signals.
    if (empty) {
      g.fill(kFlashingYellow);
      return g;
    }
  }
  for (std::size_t b = 0; b < 16; ++b) {
    g[2 * b] = static_cast<std::uint8_t>(m[states + b] >> 4);
    g[2 * b + 1] = static_cast<std::uint8_t>(m[states + b] & 0x0F);
  }
  return g;
}

}  // namespace sim
