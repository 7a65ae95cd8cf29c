#pragma once
// Zaman_tablo_edit1: edits one weekly switching entry, a time and the program that
// starts at it, given and taken as an entry or as its cell text ("07:45 P-03"). The
// program editor lays one over the weekly cell being edited.

#include <QString>
#include <QWidget>
#include <optional>

#include "program/week_entry.h"

class QComboBox;
class QTimeEdit;

namespace program::editors {

class Zaman_tablo_edit1 : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString Text READ Text WRITE SetText)

 public:
  static constexpr int kWidthTwips = 1305;
  static constexpr int kHeightTwips = 315;
  static constexpr int kFlashListIndex = 11;  // "FL", program code 17

  explicit Zaman_tablo_edit1(QWidget* parent = nullptr);

  // The entry the controls hold. A code of 0 or 18 and above becomes 0 ("--").
  WeekEntry Entry();
  // Sets the time and the code; a time the picker cannot show (an hour above 23 from a
  // project file) is kept as it is until the user sets a time, and a code the list
  // does not hold (11 to 16) until the user picks one.
  void SetEntry(const WeekEntry& entry);

  // The cell text of Entry().
  QString Text();
  // Takes the time and the code from a cell text; a text without a code, as the grid
  // shows codes 11 to 16, leaves the entry without one, so the grid keeps its code.
  void SetText(const QString& text);

  int Hour() const { return m_hour; }
  int Minute() const { return m_minute; }
  // The program code; nothing while the text had none.
  std::optional<int> ProgramCode() const { return m_code; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Combo1Click(int index);
  void DTPicker1Change();

  QTimeEdit* m_DTPicker1 = nullptr;
  QComboBox* m_Combo1 = nullptr;
  int m_hour = 0;
  int m_minute = 0;
  std::optional<int> m_code = 0;
};

}  // namespace program::editors
