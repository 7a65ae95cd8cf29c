#include "monitor/status_led.h"

#include <QPainter>

namespace monitor {

StatusLed::StatusLed(QWidget* parent) : QWidget(parent) { setFixedSize(sizeHint()); }

void StatusLed::SetColor(const QColor& color) {
  if (color == m_color) return;
  m_color = color;
  update();
}

void StatusLed::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(m_color);
  p.drawEllipse(rect().adjusted(1, 1, -2, -2));
}

}  // namespace monitor
