#pragma once
// The output cards window: the eight triac card panels side by side and the CPU card
// panel to their right, refreshed from the register image at every PC turn while the
// window is open (it hears the turns from the link's events). It has no timer of its
// own: when the bus is silent the panels keep what they last showed.

#include <QWidget>
#include <array>

#include "link/number_text.h"
#include "link/shared_tables.h"

class QPushButton;

namespace monitor {

class KX7145V1;
class Triyak_Karti;

class CikisKartlari : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTriacPanels = 8;

  // Keeps flags.CardsViewOpen true from showing to closing, and hears the PC's turns
  // from the tables' events.
  explicit CikisKartlari(bus::SharedTables& tables, QWidget* parent = nullptr);
  ~CikisKartlari() override;

  // Copies the register image into the nine panels and refreshes them.
  void Tazele();

  Triyak_Karti& TriacPanel(int index);  // 0..7; an index outside is clamped
  KX7145V1& CpuPanel() { return *m_KX7145V11; }
  void SetNumberSeparators(const bus::NumberSeparators& separators);

 signals:
  // The user asked for the registers window or for the live lamp panel.
  void registersRequested();
  void lampsRequested();
  // The user asked for the trends of these words over time.
  void trendsRequested();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetOpen(bool open);

  const bus::RegisterImage& m_regs;
  bus::ViewFlags& m_flags;
  std::array<Triyak_Karti*, kTriacPanels> m_Triyak_Karti1{};
  KX7145V1* m_KX7145V11 = nullptr;
  QPushButton* m_BTN_Registers = nullptr;
  QPushButton* m_BTN_Lamps = nullptr;
  QPushButton* m_BTN_Trends = nullptr;
  bus::LinkEvents::Subscription m_listening;
};

}  // namespace monitor
