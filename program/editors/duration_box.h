#pragma once
// TXT_Sure: the edit box the step grid lays over a duration cell. It says when it
// loses the focus, so that what was typed reaches the cell before the box hides, and
// hands the keys that leave the cell (Up, Down, Tab, Backtab, Return, Escape) to the
// grid instead of acting on them itself.

#include <QLineEdit>

namespace program::editors {

class DurationBox : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;

 signals:
  void focusLost();
  void navigationKey(int key);

 protected:
  bool event(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace program::editors
