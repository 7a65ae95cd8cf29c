#pragma once
// The "Parametreler" tab: the controller parameters PR00 to PR25 as spinners and
// switches. It shows a ParameterSettings and hands one back; the corrections and the
// word layout are the program core's.

#include <QWidget>
#include <array>

#include "program/parameter_settings.h"

class QCheckBox;
class QLabel;

namespace program::editors {

class UpDown;

class ParametersPage : public QWidget {
  Q_OBJECT

 public:
  explicit ParametersPage(QWidget* parent = nullptr);

  void Show(const ParameterSettings& settings);
  ParameterSettings Settings() const;

  // Rule switches 0 to 6 are usable only while "Kuralları Devreye al" is checked;
  // disabled ones keep their values, which are stored all the same.
  void KuralEnable();

 private:
  UpDown* AddSpinner(const char* name, const char* labelName, const SpinnerRange& range, QLabel*& label);

  UpDown* m_UpDown_Kart_Sayisi = nullptr;
  QLabel* m_LBL_Kart_Sayisi = nullptr;
  std::array<QCheckBox*, kRuleSwitches> m_Kural_CHK{};
  std::array<UpDown*, 6> m_limits{};  // 220VAyar(0), (1), HzAyar(0), (1), 24VAyar(0), (1)
  std::array<QLabel*, 6> m_limitLabels{};
  std::array<QCheckBox*, kDefinitionSwitches> m_Tanimlama1_CHK{};
  UpDown* m_UpDown_FlasSuresi = nullptr;
  QLabel* m_Lbl_FlasSuresi = nullptr;
  std::array<QCheckBox*, kFilamentGroups> m_Chk_Flaman_Kopugu{};
};

}  // namespace program::editors
