#pragma once
// Keeps the trend store filled for as long as the program runs: at every PC turn the
// register image goes into the store, whether or not any window shows it. Recording
// starts once the CPU card's words have come in: before that the image holds zeros,
// which would be drawn as a mains failure. A turn that comes after a long silence first
// marks the silence, so a state that held before it is not drawn as holding through it.

#include <cstdint>

#include "link/clock.h"
#include "link/link_events.h"
#include "link/register_image.h"
#include "link/trend_store.h"

namespace bus {

class TrendRecorder {
 public:
  // Longer than this between two turns counts as the link having been down.
  static constexpr std::int64_t kSilenceMicros = 2'000'000;

  TrendRecorder(LinkEvents& events, const RegisterImage& regs, const Clock& clock, TrendLimits limits = {});

  const TrendStore& Store() const { return m_store; }
  // The steady time the samples are taken on.
  std::int64_t NowMicros() const { return m_clock.MonotonicMs() * 1000; }

 private:
  void OnTurn();

  const RegisterImage& m_regs;
  const Clock& m_clock;
  TrendStore m_store;
  bool m_cpuHeard = false;
  LinkEvents::Subscription m_listening;
};

}  // namespace bus
