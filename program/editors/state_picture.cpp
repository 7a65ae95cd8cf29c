#include "program/editors/state_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "program/signal_state.h"

namespace program::editors {

namespace {

const QColor kDark(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kGreen(0, 255, 0);

QColor LitColour(int litBits) {
  switch (litBits) {
    case kStateRed: return kRed;
    case kStateYellow: return kYellow;
    case kStateGreen: return kGreen;
    default: return kDark;
  }
}

}  // namespace

int StatePictureIndex(int code) {
  for (int i = 0; i < kStatePictureCount; ++i) {
    if (kEditorStateCodes[static_cast<std::size_t>(i)] == code) return i;
  }
  return -1;
}

QColor StatePictureColour(int code) {
  if (StatePictureIndex(code) < 0) return {};
  if (code == 3) return kRed;
  return LitColour(code & 7);
}

void PaintStatePicture(QPainter& painter, const QRect& cell, int code) {
  if (StatePictureIndex(code) < 0) return;
  const int side = std::max(1, std::min(cell.width(), cell.height()) - 4);
  QRect box(0, 0, side, side);
  box.moveCenter(cell.center());

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  if ((code & kStateFlashing) != 0) {
    // Stripes: the lit colour on the dark of the off half of the flashing period.
    painter.fillRect(box, kDark);
    painter.setClipRect(box);
    painter.setPen(QPen(LitColour(code & 7), std::max(2, side / 6)));
    const int step = std::max(4, side / 3);
    for (int x = box.left() - box.height(); x <= box.right(); x += step) {
      painter.drawLine(QPoint(x, box.bottom()), QPoint(x + box.height(), box.top()));
    }
    painter.setClipping(false);
  } else if (code == (kStateRed | kStateYellow)) {
    // Red over yellow, as the signal head stacks them.
    const QRect top(box.left(), box.top(), box.width(), box.height() / 2);
    painter.fillRect(top, kRed);
    painter.fillRect(QRect(box.left(), top.bottom() + 1, box.width(), box.height() - top.height()), kYellow);
  } else {
    painter.fillRect(box, LitColour(code));
  }
  painter.setPen(QPen(QColor(64, 64, 64), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  painter.restore();
}

QPixmap StatePicturePixmap(int code, int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  PaintStatePicture(p, QRect(0, 0, side + 4, side + 4).translated(-2, -2), code);
  return pixmap;
}

}  // namespace program::editors
