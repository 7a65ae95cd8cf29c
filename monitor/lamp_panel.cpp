#include "monitor/lamp_panel.h"

#include <QTimer>
#include <algorithm>

#include "monitor/traffic_lamp.h"
#include "monitor/twip_label.h"
#include "monitor/twips.h"

namespace monitor {

namespace {

constexpr int kCards = Lamp_panel::kLamps / Lamp_panel::kLampsPerCard;
constexpr int kColumnStep = 480;
constexpr int kRowStep = 1080;
constexpr int kMargin = 120;
constexpr int kWindowWidth = kMargin + kColumnStep * (kCards - 1) + Trf_Lamp::kWidthTwips + kMargin;
constexpr int kWindowHeight =
    kMargin + kRowStep * (Lamp_panel::kLampsPerCard - 1) + Trf_Lamp::kHeightTwips + kMargin;

}  // namespace

Lamp_panel::Lamp_panel(bus::SharedTables& tables, QWidget* parent)
    : QWidget(parent), m_regs(tables.regs), m_flags(tables.flags) {
  setObjectName(QStringLiteral("Lamp_panel"));
  setWindowTitle(QStringLiteral(" Triyak Kartı LED GÖSTERGE"));
  setFixedSize(TwipSize(*this, kWindowWidth, kWindowHeight));

  for (int i = 0; i < kLamps; ++i) {
    auto* lamp = new Trf_Lamp(this);
    lamp->setObjectName(IndexedName("Trf_Lamp1", i));
    lamp->move(TwipRect(*this, kMargin + kColumnStep * (i / kLampsPerCard),
                        kMargin + kRowStep * (i % kLampsPerCard), 0, 0)
                   .topLeft());
    lamp->setToolTip(QStringLiteral("G%1").arg(i, 2, 10, QLatin1Char('0')));
    m_Trf_Lamp1[static_cast<std::size_t>(i)] = lamp;
  }

  m_Timer1 = new QTimer(this);
  m_Timer1->setObjectName(QStringLiteral("Timer1"));
  m_Timer1->setInterval(100);
  connect(m_Timer1, &QTimer::timeout, this, &Lamp_panel::Timer1Tick);
  m_Timer1->start();

  m_flags.LiveLampsDirty = true;
  m_listening = tables.events.Listen([this](const bus::LinkEvent& e) {
    if (bus::CardWordsStored(e)) m_flags.LiveLampsDirty = true;
  });
}

void Lamp_panel::SetLampStates(const std::array<std::int16_t, kLamps>& states) {
  for (int i = 0; i < kLamps; ++i) {
    m_Trf_Lamp1[static_cast<std::size_t>(i)]->SetState(states[static_cast<std::size_t>(i)]);
  }
}

void Lamp_panel::Timer1Tick() {
  // The simulation owns the lamps while it runs; the card words wait for it to end.
  if (m_flags.SimActive || !m_flags.LiveLampsDirty) return;
  const std::array<int, bus::kSignalGroups> states = bus::GroupLampStates(m_regs);
  for (std::size_t g = 0; g < states.size(); ++g) m_Trf_Lamp1[g]->SetState(states[g]);
  m_flags.LiveLampsDirty = false;
}

const Trf_Lamp& Lamp_panel::Lamp(int index) const {
  return *m_Trf_Lamp1[static_cast<std::size_t>(std::clamp(index, 0, kLamps - 1))];
}

}  // namespace monitor
