#include "program/editors/duration_box.h"

namespace program::editors {

void DurationBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  emit focusLost();
}

}  // namespace program::editors
