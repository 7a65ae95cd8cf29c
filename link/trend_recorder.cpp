#include "link/trend_recorder.h"

#include <variant>

namespace bus {

TrendRecorder::TrendRecorder(LinkEvents& events, const RegisterImage& regs, const Clock& clock,
                             TrendLimits limits)
    : m_regs(regs), m_clock(clock), m_store(limits) {
  m_listening = events.Listen([this](const LinkEvent& e) {
    if (std::holds_alternative<PcTurn>(e)) {
      if (m_cpuHeard) OnTurn();
    } else if (const auto* stored = std::get_if<RegistersStored>(&e)) {
      m_cpuHeard = m_cpuHeard || stored->address == 1;
    }
  });
}

void TrendRecorder::OnTurn() {
  const std::int64_t now = NowMicros();
  if (!m_store.Empty() && now - m_store.LastMicros() > kSilenceMicros)
    m_store.Interrupt(m_store.LastMicros());
  m_store.Record(now, m_regs);
}

}  // namespace bus
