#pragma once
// An up-down spinner without a number of its own: two arrows beside a label that
// shows the value, as the parameter tab lays its spinners out.

#include <QSpinBox>

namespace program::editors {

class UpDown : public QSpinBox {
  Q_OBJECT

 public:
  explicit UpDown(QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }
};

}  // namespace program::editors
