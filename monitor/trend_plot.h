#pragma once
// A plot of measured values over time: for every pixel column the band between the
// smallest and the largest value recorded there, and a line through the means, so
// that a day of samples draws as quickly as a minute. The scale fits what is seen.

#include <QColor>
#include <QString>
#include <vector>

#include "link/trend_store.h"
#include "monitor/time_plot.h"

namespace monitor {

struct PlotLine {
  int series = 0;
  QColor colour;
};

class TrendPlot : public TimePlot {
  Q_OBJECT
 public:
  // `title` names the quantity and its unit: "Şebeke gerilimi (V)".
  TrendPlot(const bus::TrendStore& store, QString title, QWidget* parent = nullptr);

  void SetLines(std::vector<PlotLine> lines);
  const std::vector<PlotLine>& Lines() const { return m_lines; }
  const QString& Title() const { return m_title; }

  // The scale of the last drawing, in the series' own units.
  double ScaleLow() const { return m_low; }
  double ScaleHigh() const { return m_high; }
  double YOf(double value) const;

 protected:
  void PaintContent(QPainter& p, const QRect& area) override;

 private:
  const bus::TrendStore& m_store;
  QString m_title;
  std::vector<PlotLine> m_lines;
  double m_low = 0;
  double m_high = 1;
};

}  // namespace monitor
