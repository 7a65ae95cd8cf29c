#include "program/editors/duration_box.h"

#include <QKeyEvent>

namespace program::editors {

bool DurationBox::event(QEvent* event) {
  // Tab never reaches keyPressEvent: the focus chain takes it first.
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Escape: emit navigationKey(key->key()); return true;
      default: break;
    }
  }
  return QLineEdit::event(event);
}

void DurationBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  emit focusLost();
}

}  // namespace program::editors
