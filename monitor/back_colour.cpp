#include "monitor/back_colour.h"

#include <QPalette>

namespace monitor {

void SetBackColour(QWidget& widget, const QColor& colour) {
  if (widget.autoFillBackground() && widget.palette().color(QPalette::Window) == colour) return;
  QPalette p = widget.palette();
  p.setColor(QPalette::Window, colour);
  // Text on a black indicator must stay readable.
  p.setColor(QPalette::WindowText, colour.lightness() < 96 ? Qt::white : Qt::black);
  widget.setPalette(p);
  widget.setAutoFillBackground(true);
}

QColor BackColour(const QWidget& widget) { return widget.palette().color(QPalette::Window); }

}  // namespace monitor
