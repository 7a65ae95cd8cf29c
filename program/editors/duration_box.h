#pragma once
// TXT_Sure: the edit box the step grid lays over a duration cell. It says when it
// loses the focus, so that what was typed reaches the cell before the box hides.

#include <QLineEdit>

namespace program::editors {

class DurationBox : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;

 signals:
  void focusLost();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace program::editors
