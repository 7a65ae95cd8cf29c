#include "program/editors/up_down.h"

#include <QLineEdit>

namespace program::editors {

UpDown::UpDown(QWidget* parent) : QSpinBox(parent) {
  lineEdit()->hide();
  setFixedSize(sizeHint());
}

QSize UpDown::sizeHint() const {
  const int h = QSpinBox::sizeHint().height();
  return {h * 3 / 4, h};
}

}  // namespace program::editors
