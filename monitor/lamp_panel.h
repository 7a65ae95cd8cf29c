#pragma once
// The lamp panel: 32 signal heads, one per signal group, four per output card (a
// column per card, a row per output). It shows either the program simulation's lamp
// codes, which the simulation hands over directly, or, while no simulation runs, the
// lamp words of the eight cards, redrawn on its 100 ms timer when the link has told
// it that new card words arrived.

#include <QWidget>
#include <array>
#include <cstdint>

#include "link/register_meaning.h"
#include "link/shared_tables.h"

class QTimer;

namespace monitor {

class Trf_Lamp;

class Lamp_panel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kLamps = bus::kSignalGroups;
  static constexpr int kLampsPerCard = bus::kChannelsPerCard;

  // Hears of card words from the tables' events, and shows the ones the image holds
  // now at its first tick.
  explicit Lamp_panel(bus::SharedTables& tables, QWidget* parent = nullptr);

  // The simulation's lamp codes: element g - 1 is the state of signal group g (lamp
  // widget states 0..4; others show dark).
  void SetLampStates(const std::array<std::int16_t, kLamps>& states);

  // The timer's tick: shows the cards' lamp words if LiveLampsDirty is set and no
  // simulation runs, then clears the flag.
  void Timer1Tick();

  const Trf_Lamp& Lamp(int index) const;  // 0..31, clamped

 private:
  const bus::RegisterImage& m_regs;
  bus::ViewFlags& m_flags;
  std::array<Trf_Lamp*, kLamps> m_Trf_Lamp1{};
  QTimer* m_Timer1 = nullptr;
  bus::LinkEvents::Subscription m_listening;
};

}  // namespace monitor
