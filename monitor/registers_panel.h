#pragma once
// The registers window: words 0..15 of the eight triac cards in hexadecimal, one
// column per card. It redraws on its 100 ms timer when the link has told it of new
// card words, and never otherwise.

#include <QWidget>
#include <array>
#include <cstdint>

#include "link/shared_tables.h"

class QLabel;
class QTimer;

namespace monitor {

class Registers_panel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kCards = bus::kTriacCards;
  static constexpr int kWords = 16;

  // Hears of card words from the tables' events, and shows the ones the image holds
  // now at its first tick.
  explicit Registers_panel(bus::SharedTables& tables, QWidget* parent = nullptr);

  // The timer's tick: redraws if RegistersViewDirty is set, then clears it.
  void Timer1Tick();

 private:
  const bus::RegisterImage& m_regs;
  bus::ViewFlags& m_flags;
  QTimer* m_Timer1 = nullptr;
  std::array<QLabel*, kCards * kWords> m_Lbl_registers{};
  // What each label shows; -1 for its design caption.
  std::array<std::int32_t, kCards * kWords> m_shown{};
  bus::LinkEvents::Subscription m_listening;
};

}  // namespace monitor
