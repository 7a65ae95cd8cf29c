#pragma once
// Frm_Edit_Pre1 ("Seç"): the small window in which the user picks the signal state of
// one group in one step, with a blinking preview on a signal head. The choice travels
// through the editor's CellStateCode and is written into the cell whenever the window
// closes, however it closes, except by Escape, which leaves the cell as it was.

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;

namespace monitor {
class Trf_Lamp;
}

namespace program::editors {

class Frm_Edit_Pre1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kChoices = 8;

  // `CellStateCode` and `blinkPhase` belong to the editor and outlive the window;
  // `SetCellPicture` writes a code into the cell the window was opened for.
  Frm_Edit_Pre1(std::int16_t& CellStateCode, bool& blinkPhase, std::function<void(int)> SetCellPicture,
                QWidget* parent = nullptr);

  // The option of a code; codes without one choose "Kapalı".
  static int OptionOfCode(int code);

  void Option1Click(int index);
  void Image1Click(int index);
  void Command1Click();
  // The preview's 500 ms tick.
  void Edit_LambasimtimerTick();

  const monitor::Trf_Lamp& PreviewLamp() const { return *m_Trf_Lamp1; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowPreview();

  std::int16_t& m_CellStateCode;
  bool& m_blinkPhase;
  std::function<void(int)> m_SetCellPicture;
  std::array<QRadioButton*, kChoices> m_Option1{};
  std::array<QLabel*, kChoices> m_Image1{};
  monitor::Trf_Lamp* m_Trf_Lamp1 = nullptr;
  QPushButton* m_Command1 = nullptr;
  QTimer* m_Edit_Lambasimtimer = nullptr;
  bool m_wasActive = false;
  std::int16_t m_cellCode = 0;  // the cell's code when the window opened
  bool m_cancelled = false;
};

}  // namespace program::editors
