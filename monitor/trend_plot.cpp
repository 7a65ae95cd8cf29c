#include "monitor/trend_plot.h"

#include <QLocale>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <limits>

namespace monitor {

namespace {

double Scale(int decimals) { return std::pow(10.0, decimals); }

// A step of 1, 2 or 5 times a power of ten that splits `span` into about four parts.
double NiceStep(double span) {
  const double raw = span / 4;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0}) {
    if (m * power >= raw) return m * power;
  }
  return 10 * power;
}

}  // namespace

TrendPlot::TrendPlot(const bus::TrendStore& store, QString title, QWidget* parent)
    : TimePlot(parent), m_store(store), m_title(std::move(title)) {}

void TrendPlot::SetLines(std::vector<PlotLine> lines) {
  m_lines = std::move(lines);
  update();
}

double TrendPlot::YOf(double value) const {
  const QRect a = PlotArea().adjusted(0, 3, 0, -3);
  return a.bottom() - (value - m_low) * a.height() / (m_high - m_low);
}

void TrendPlot::PaintContent(QPainter& p, const QRect& area) {
  const TimeRange r = Range();
  const std::int64_t resolution = std::max<std::int64_t>(1, (r.to - r.from) / area.width());

  struct Fetched {
    std::vector<bus::TrendPoint> points;
    double scale;
    QColor colour;
  };
  std::vector<Fetched> fetched;
  fetched.reserve(m_lines.size());
  double low = std::numeric_limits<double>::max();
  double high = std::numeric_limits<double>::lowest();
  int decimals = 0;
  for (const PlotLine& line : m_lines) {
    const int d = bus::ValueSeriesInfo(line.series).decimals;
    decimals = std::max(decimals, d);
    Fetched f{m_store.Samples(line.series, r.from, r.to, resolution), Scale(d), line.colour};
    for (const bus::TrendPoint& pt : f.points) {
      low = std::min(low, pt.min / f.scale);
      high = std::max(high, pt.max / f.scale);
    }
    fetched.push_back(std::move(f));
  }
  if (low > high) {
    low = 0;
    high = 1;
  }
  // A flat line sits in the middle of a band of a few of its last digits.
  const double least = 10 / Scale(decimals);
  if (high - low < least) {
    const double mid = (high + low) / 2;
    low = mid - least / 2;
    high = mid + least / 2;
  }
  const double pad = (high - low) * 0.05;
  m_low = low - pad;
  m_high = high + pad;

  // The scale, with its numbers in the margin.
  const double step = NiceStep(m_high - m_low);
  const int stepDecimals = std::clamp(static_cast<int>(-std::floor(std::log10(step))), 0, 3);
  for (double v = std::ceil(m_low / step) * step; v <= m_high; v += step) {
    const int y = static_cast<int>(YOf(v));
    p.setPen(QColor(235, 235, 235));
    p.drawLine(area.left(), y, area.right(), y);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(0, y - 8, kLeftMargin - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
               locale().toString(v, 'f', stepDecimals));
  }

  // Longer than this between two points is time without samples: the line breaks there.
  const std::int64_t gap = std::max({4 * resolution, 2 * m_store.BucketMicros(), std::int64_t{2'000'000}});
  p.setClipRect(area);
  p.setRenderHint(QPainter::Antialiasing, false);
  // Batched, in whole-pixel cosmetic pens: a day of eight lines stays well inside a
  // frame at 60 per second.
  std::vector<QLineF> bands;
  QPolygonF run;
  for (const Fetched& f : fetched) {
    if (f.points.empty()) continue;
    QColor band = f.colour;
    band.setAlpha(90);
    bands.clear();
    for (const bus::TrendPoint& pt : f.points) {
      if (pt.min == pt.max) continue;
      const double x = XOf(pt.start);
      bands.emplace_back(x, YOf(pt.min / f.scale), x, YOf(pt.max / f.scale));
    }
    p.setPen(QPen(band, 0));
    p.drawLines(bands.data(), static_cast<int>(bands.size()));

    p.setPen(QPen(f.colour, 0));
    run.clear();
    std::int64_t lastEnd = f.points.front().end;
    for (const bus::TrendPoint& pt : f.points) {
      if (pt.start - lastEnd > gap && !run.isEmpty()) {
        p.drawPolyline(run);
        run.clear();
      }
      run << QPointF(XOf(pt.start), YOf(pt.mean / f.scale));
      lastEnd = pt.end;
    }
    p.drawPolyline(run);
  }
  p.setClipping(false);

  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(area.adjusted(6, 2, -6, -2), Qt::AlignLeft | Qt::AlignTop, m_title);
}

}  // namespace monitor
