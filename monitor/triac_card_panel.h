#pragma once
// Status panel of one triac output card: run state, supply, card faults and, for each
// of the four channels, the lamp state, the channel faults and the current. The panel
// never reads the register image itself; its owner writes the card's words into the
// fields and calls Refresh.

#include <QWidget>
#include <array>
#include <cstdint>

#include "link/number_text.h"

class QLabel;

namespace monitor {

class StatusLabel;
class Trf_Lamp;

// One card's register words as the panel shows them (each 0..65535).
struct TriacCardFields {
  std::uint8_t CardNo = 0;                       // shown in the header, 1..8
  std::int32_t CardState = 0;                    // word 0: 0 offline, 1 stopped, 2 running
  std::int32_t ChannelLamps = 0;                 // word 2: nibble c is channel c's lamp state
  std::int32_t ChannelFaults = 0;                // word 3: nibble c is channel c's fault set
  std::array<std::int32_t, 4> ChannelCurrent{};  // words 4..7: mA per channel
  std::int32_t SupplyRaw = 0;                    // word 8: 10 mV steps, 1 V offset
  std::int32_t FaultWord = 0;                    // word 9: any bit set is a card error
  bool operator==(const TriacCardFields&) const = default;
};

class Triyak_Karti : public QWidget, public TriacCardFields {
  Q_OBJECT

 public:
  static constexpr int kWidthTwips = 1470;
  static constexpr int kHeightTwips = 5130;
  static constexpr int kChannels = 4;

  explicit Triyak_Karti(QWidget* parent = nullptr);

  // Shows the fields. Elements whose fields did not change since the last call are
  // not touched, so the call is cheap at every PC turn.
  void Refresh();

  // The separators of the number texts; the system's by default.
  void SetNumberSeparators(const bus::NumberSeparators& separators);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void ShowCardState();
  void ShowCurrent(int channel);
  void ShowLamps();
  void ShowFaults();
  void ShowSupply();
  void ShowFaultWord();

  bus::NumberSeparators m_separators;
  bool m_shownOnce = false;
  TriacCardFields m_shown;

  QLabel* m_TRY_LBL = nullptr;
  QLabel* m_Lbl_Status = nullptr;
  StatusLabel* m_Shape1 = nullptr;
  StatusLabel* m_Lbl_PSU_Voltage = nullptr;
  StatusLabel* m_R9_err_AC = nullptr;
  StatusLabel* m_R9_Err_IO = nullptr;
  std::array<StatusLabel*, 4> m_R9_err_sensoryok{};
  QLabel* m_Label1 = nullptr;
  std::array<Trf_Lamp*, kChannels> m_Trf_Lamp1{};
  // Channel fault letters, by fault bit: 0 R (red filament), 1 C (no current),
  // 2 P (output fault), 3 S (line contact).
  std::array<std::array<StatusLabel*, 4>, kChannels> m_faultLetters{};
  std::array<QLabel*, kChannels> m_Lbl_Akim{};
};

}  // namespace monitor
