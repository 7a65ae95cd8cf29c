#include "monitor/status_label.h"

#include <QPainter>

#include "monitor/back_colour.h"

namespace monitor {

StatusLabel::StatusLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void StatusLabel::SetBackColour(bus::Rgb colour) {
  if (m_filled && colour == m_back) return;
  m_back = colour;
  m_filled = true;
  setAttribute(Qt::WA_OpaquePaintEvent);
  update();
}

void StatusLabel::ClearBackColour() {
  if (!m_filled) return;
  m_filled = false;
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  update();
}

void StatusLabel::paintEvent(QPaintEvent* event) {
  if (m_filled) {
    QPainter p(this);
    p.fillRect(rect(), ToQColor(m_back));
  }
  QLabel::paintEvent(event);
}

}  // namespace monitor
