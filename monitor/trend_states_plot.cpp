#include "monitor/trend_states_plot.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <optional>

#include "link/register_meaning.h"
#include "link/trend_series.h"

namespace monitor {

namespace {

const QColor kNoValueColour(200, 200, 200);

QColor FromRgb(bus::Rgb c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

QString RowName(int row) {
  if (row == 0) return QStringLiteral("CPU");
  if (row == 1) return QStringLiteral("DED");
  if (row == 2) return QStringLiteral("GPS");
  return QStringLiteral("K%1").arg(row - 2);
}

int RowStep(int row) {
  if (row == 0) return bus::kCpuStateStep;
  if (row == 1) return bus::kDetectorStateStep;
  if (row == 2) return bus::kGpsStateStep;
  return bus::CardStateStep(row - 3);
}

QColor StateColour(int row, std::int32_t value) {
  if (value == bus::kNoValue) return kNoValueColour;
  const std::optional<bus::StateLook> look = row == 2 ? bus::GpsStateLook(value) : bus::RunStateLook(value);
  return look ? FromRgb(look->colour) : kNoValueColour;
}

// Draws the intervals of one row, one rectangle per pixel column at most.
template <typename ColourOf>
void DrawIntervals(QPainter& p, const TimePlot& plot, const std::vector<bus::StepInterval>& intervals,
                   int top, int height, ColourOf colourOf) {
  int drawnTo = -1;
  for (const bus::StepInterval& s : intervals) {
    const int x0 = static_cast<int>(plot.XOf(s.start));
    const int x1 = std::max(x0 + 1, static_cast<int>(plot.XOf(s.end)));
    if (x1 <= drawnTo) continue;
    const std::optional<QColor> c = colourOf(s.value);
    if (!c) continue;
    const int from = std::max(x0, drawnTo);
    p.fillRect(from, top, x1 - from, height, *c);
    drawnTo = x1;
  }
}

}  // namespace

TrendStatesPlot::TrendStatesPlot(const bus::TrendStore& store, QWidget* parent)
    : TimePlot(parent), m_store(store) {
  setFixedHeight((kStateRows + 1) * kRowHeight + 8 + kAxisHeight);
}

void TrendStatesPlot::PaintContent(QPainter& p, const QRect& area) {
  const TimeRange r = Range();
  const QColor text = palette().color(QPalette::WindowText);
  for (int row = 0; row < kStateRows; ++row) {
    const int top = area.top() + 1 + row * kRowHeight;
    p.setPen(text);
    p.drawText(QRect(4, top, kLeftMargin - 8, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter, RowName(row));
    const int h = kRowHeight - 3;
    DrawIntervals(p, *this, m_store.Steps(RowStep(row), r.from, r.to), top + 1, h,
                  [row](std::int32_t v) -> std::optional<QColor> { return StateColour(row, v); });
    if (row >= 3) {
      // Any bit of a card's fault word puts the card in error, whatever its state.
      DrawIntervals(p, *this, m_store.Steps(bus::CardFaultStep(row - 3), r.from, r.to), top + 1, h,
                    [](std::int32_t v) -> std::optional<QColor> {
                      if (v == 0 || v == bus::kNoValue) return std::nullopt;
                      return FromRgb(bus::kErrorLook.colour);
                    });
    }
  }

  const int markTop = area.top() + 1 + kStateRows * kRowHeight;
  p.setPen(text);
  p.drawText(QRect(4, markTop, kLeftMargin - 8, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Hata"));
  m_marked = m_store.FaultEvents(r.from, r.to);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  for (const bus::FaultEvent& e : m_marked) {
    const double x = XOf(e.micros);
    const double top = markTop + 1.0;
    const double bottom = markTop + kRowHeight - 2.0;
    QPolygonF mark;
    if (e.appeared) {
      mark << QPointF(x, top) << QPointF(x - 4, bottom) << QPointF(x + 4, bottom);
      p.setBrush(QColor(255, 0, 0));
    } else {
      mark << QPointF(x, bottom) << QPointF(x - 4, top) << QPointF(x + 4, top);
      p.setBrush(QColor(0, 170, 0));
    }
    p.drawPolygon(mark);
  }
}

}  // namespace monitor
