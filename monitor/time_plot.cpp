#include "monitor/time_plot.h"

#include <QDateTime>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>

namespace monitor {

namespace {

constexpr std::int64_t kSecond = 1'000'000;
constexpr int kMinTickPixels = 90;
constexpr double kZoomStep = 0.8;

}  // namespace

TimePlot::TimePlot(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumHeight(48);
}

void TimePlot::SetRange(TimeRange range) {
  if (range.to <= range.from) range.to = range.from + 1;
  m_range = range;
  update();
}

void TimePlot::SetWallOffset(std::int64_t micros) {
  m_wallOffset = micros;
  update();
}

void TimePlot::SetCursor(std::int64_t micros) {
  if (m_cursor == micros) return;
  m_cursor = micros;
  update();
}

void TimePlot::SetTimeAxisShown(bool shown) {
  m_axisShown = shown;
  update();
}

QRect TimePlot::PlotArea() const {
  return QRect(kLeftMargin, 2, std::max(1, width() - kLeftMargin - kRightMargin),
               std::max(1, height() - 4 - (m_axisShown ? kAxisHeight : 0)));
}

double TimePlot::XOf(std::int64_t micros) const {
  const QRect a = PlotArea();
  return a.left() + static_cast<double>(micros - m_range.from) * a.width() /
                        static_cast<double>(m_range.to - m_range.from);
}

std::int64_t TimePlot::TimeAt(double x) const {
  const QRect a = PlotArea();
  return m_range.from + static_cast<std::int64_t>(std::llround(
                            (x - a.left()) * static_cast<double>(m_range.to - m_range.from) / a.width()));
}

QString TimePlot::TimeText(std::int64_t micros) const {
  const QDateTime wall = QDateTime::fromMSecsSinceEpoch((micros + m_wallOffset) / 1000, Qt::UTC);
  const bool days = m_range.to - m_range.from > 20 * 3600 * kSecond;
  return wall.toString(days ? QStringLiteral("dd.MM HH:mm") : QStringLiteral("HH:mm:ss"));
}

std::int64_t TimePlot::TickStep() const {
  static constexpr std::array<std::int64_t, 18> steps = {
      1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
  const double perPixel = static_cast<double>(m_range.to - m_range.from) / PlotArea().width();
  for (std::int64_t s : steps) {
    if (static_cast<double>(s * kSecond) / perPixel >= kMinTickPixels) return s * kSecond;
  }
  return steps.back() * kSecond;
}

void TimePlot::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Window));
  const QRect a = PlotArea();
  p.fillRect(a, Qt::white);

  // Grid lines on round times of the wall clock.
  const std::int64_t step = TickStep();
  const std::int64_t wallFrom = m_range.from + m_wallOffset;
  std::int64_t tick = wallFrom - ((wallFrom % step) + step) % step + step - m_wallOffset;
  p.setPen(QColor(225, 225, 225));
  for (std::int64_t t = tick; t < m_range.to; t += step) {
    const int x = static_cast<int>(XOf(t));
    p.drawLine(x, a.top(), x, a.bottom());
    if (m_axisShown) {
      p.setPen(palette().color(QPalette::WindowText));
      p.drawText(QRect(x - 60, a.bottom() + 2, 120, kAxisHeight), Qt::AlignHCenter | Qt::AlignTop,
                 TimeText(t));
      p.setPen(QColor(225, 225, 225));
    }
  }

  p.save();
  PaintContent(p, a);
  p.restore();

  p.setPen(QColor(160, 160, 160));
  p.drawRect(a.adjusted(0, 0, -1, -1));
  if (m_cursor >= m_range.from && m_cursor < m_range.to) {
    p.setPen(QPen(QColor(0, 0, 160), 1, Qt::DashLine));
    const int x = static_cast<int>(XOf(m_cursor));
    p.drawLine(x, a.top(), x, a.bottom());
  }
}

void TimePlot::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  m_dragging = true;
  m_dragX = event->position().x();
}

void TimePlot::mouseMoveEvent(QMouseEvent* event) {
  const double x = event->position().x();
  if (m_dragging && (event->buttons() & Qt::LeftButton)) {
    const double dx = x - m_dragX;
    if (std::abs(dx) >= 1) {
      m_dragX = x;
      emit panAsked(dx / PlotArea().width());
    }
    return;
  }
  if (PlotArea().contains(event->position().toPoint())) emit cursorMoved(TimeAt(x));
}

void TimePlot::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) m_dragging = false;
  QWidget::mouseReleaseEvent(event);
}

void TimePlot::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  const QRect a = PlotArea();
  const double fraction = std::clamp((event->position().x() - a.left()) / a.width(), 0.0, 1.0);
  emit zoomAsked(fraction, delta > 0 ? kZoomStep : 1.0 / kZoomStep);
  event->accept();
}

void TimePlot::leaveEvent(QEvent* event) {
  m_dragging = false;
  QWidget::leaveEvent(event);
}

}  // namespace monitor
