#pragma once
// The common ground of the trends window's plots: one time range shared by all,
// wall-clock grid lines, a cursor line, and the mouse (move: cursor; drag: pan;
// wheel: zoom), which each plot reports rather than acts on, so that every plot of
// the window moves together.

#include <QString>
#include <QWidget>
#include <cstdint>

#include "monitor/trend_view.h"

namespace monitor {

class TimePlot : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kLeftMargin = 96;  // room for the names of the rows and the scale
  static constexpr int kRightMargin = 8;
  static constexpr int kAxisHeight = 16;

  explicit TimePlot(QWidget* parent = nullptr);

  void SetRange(TimeRange range);
  TimeRange Range() const { return m_range; }
  // The local wall clock's microseconds since the epoch at steady time 0.
  void SetWallOffset(std::int64_t micros);
  void SetCursor(std::int64_t micros);  // below 0: no cursor
  // The time labels under the plot.
  void SetTimeAxisShown(bool shown);

  // Where things are drawn; the tests ask the same.
  QRect PlotArea() const;
  double XOf(std::int64_t micros) const;
  std::int64_t TimeAt(double x) const;
  // "14:07:09" (with the date once the range spans days).
  QString TimeText(std::int64_t micros) const;

 signals:
  void cursorMoved(qint64 micros);
  void zoomAsked(double fraction, double factor);
  void panAsked(double fraction);

 protected:
  virtual void PaintContent(QPainter& p, const QRect& area) = 0;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  std::int64_t TickStep() const;

  TimeRange m_range{0, TrendView::kMinute};
  std::int64_t m_wallOffset = 0;
  std::int64_t m_cursor = -1;
  bool m_axisShown = false;
  bool m_dragging = false;
  double m_dragX = 0;
};

}  // namespace monitor
