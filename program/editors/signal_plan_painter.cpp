#include "program/editors/signal_plan_painter.h"

#include <QColor>
#include <QFontMetricsF>
#include <QLineF>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <vector>

#include "program/signal_state_look.h"

namespace program::editors {

namespace {

const QColor kText(0, 0, 0);
const QColor kStripe(0xF2, 0xF2, 0xF2);
const QColor kBoundary(0xB4, 0xB4, 0xB4);
const QColor kOutline(0, 0, 0, 110);
// The grid marks a detector phase's waiting step in this colour too.
const QColor kWaiting(128, 0, 0);
const QColor kMarker(0xD0, 0, 0xD0);

QColor ColourOf(Rgb rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

double Pad(const QFontMetricsF& fm) { return std::round(fm.height() * 0.4); }

QString NameOf(const SignalPlanPaintOptions& options, int group) {
  return group >= 1 && group <= kJunctionGroups ? options.groupNames[static_cast<std::size_t>(group - 1)]
                                                : QString();
}

QString TitleOf(const SignalPlan& plan, const SignalPlanPaintOptions& options) {
  return options.title.isEmpty() ? CycleText(plan.cycleSeconds) : options.title;
}

double LabelWidth(const SignalPlan& plan, const QFont& font, const SignalPlanPaintOptions& options) {
  const QFontMetricsF fm(font);
  QFont bold = font;
  bold.setBold(true);
  double widest = QFontMetricsF(bold).horizontalAdvance(TitleOf(plan, options));
  for (const PlanRow& row : plan.rows) {
    widest = std::max(widest, fm.horizontalAdvance(GroupLabel(row.group, NameOf(options, row.group))));
  }
  return widest + 2 * Pad(fm);
}

// Seconds between labelled ticks: the first that leaves room for a label.
int TickSeconds(double pixelsPerSecond, double labelWidth) {
  for (int s : {1, 2, 5, 10, 15, 20, 30, 60, 120, 300, 600}) {
    if (s * pixelsPerSecond >= labelWidth) return s;
  }
  return 1200;
}

// Diagonal stripes over a bar. On screen and in images a pattern brush is the fast
// way; the SVG and PDF writers get lines clipped by hand, since the SVG writer drops
// pattern brushes and a clip path per bar costs more than the lines.
void Hatch(QPainter& p, const QRectF& r, const QColor& colour, double spacing) {
  if (p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster) {
    p.fillRect(r, QBrush(colour, Qt::BDiagPattern));
    return;
  }
  std::vector<QLineF> lines;
  const double w = r.width(), h = r.height();
  for (double t = spacing / 2; t < w + h; t += spacing) {
    const double u0 = std::max(0.0, t - h), u1 = std::min(w, t);
    if (u1 <= u0) continue;
    lines.emplace_back(r.left() + u0, r.top() + (t - u0), r.left() + u1, r.top() + (t - u1));
  }
  p.setPen(QPen(colour, std::max(1.0, spacing / 3)));
  p.drawLines(lines.data(), static_cast<int>(lines.size()));
}

// All bars of one code at once: a plan has thousands of bars but few codes, and the
// painter's pen and brush changes cost more than the fills.
void PaintBars(QPainter& p, const std::vector<QRectF>& bars, int code, const QFontMetricsF& fm) {
  const StateLook look = SignalStateLook(code);
  if (bars.empty() || look.fill == StateFill::Empty) return;
  const QColor colour = ColourOf(look.colour);
  p.setPen(Qt::NoPen);
  switch (look.fill) {
    case StateFill::Empty: return;
    case StateFill::Solid:
      p.setBrush(colour);
      p.drawRects(bars.data(), static_cast<int>(bars.size()));
      break;
    case StateFill::Split: {
      std::vector<QRectF> upper = bars, lower = bars;
      for (std::size_t i = 0; i < bars.size(); ++i) {
        upper[i].setHeight(bars[i].height() / 2);
        lower[i].setTop(upper[i].bottom());
      }
      p.setBrush(colour);
      p.drawRects(upper.data(), static_cast<int>(upper.size()));
      p.setBrush(ColourOf(look.lower));
      p.drawRects(lower.data(), static_cast<int>(lower.size()));
      break;
    }
    case StateFill::Hatched: {
      const QColor stripes = colour.darker(115);
      for (const QRectF& r : bars) Hatch(p, r, stripes, std::max(4.0, r.height() / 2.5));
      break;
    }
    case StateFill::Unknown: {
      p.setBrush(colour);
      p.drawRects(bars.data(), static_cast<int>(bars.size()));
      const QString number = QString::number(code);
      const double width = fm.horizontalAdvance(number) + 2;
      p.setPen(Qt::white);
      for (const QRectF& r : bars) {
        if (width < r.width()) p.drawText(r, Qt::AlignCenter, number);
      }
      break;
    }
  }
  p.setPen(QPen(look.fill == StateFill::Hatched ? colour.darker(140) : kOutline, 0));
  p.setBrush(Qt::NoBrush);
  p.drawRects(bars.data(), static_cast<int>(bars.size()));
}

}  // namespace

QString CycleText(int seconds) { return QStringLiteral("Devir süresi: %1 sn").arg(seconds); }

QString GroupLabel(int group, const QString& name) {
  const QString number = QStringLiteral("Grup-%1").arg(group);
  return name.isEmpty() ? number : number + QLatin1Char(' ') + name;
}

int SignalPlanGeometry::RowAt(double y, int rowCount) const {
  if (rowHeight <= 0 || y < bars.top() || y >= bars.bottom()) return -1;
  const int row = static_cast<int>((y - bars.top()) / rowHeight);
  return row < rowCount ? row : -1;
}

double SignalPlanGeometry::SecondsAt(double x) const {
  if (pixelsPerSecond <= 0 || x < bars.left() || x > bars.right()) return -1;
  return (x - bars.left()) / pixelsPerSecond;
}

SignalPlanGeometry SignalPlanLayout(const SignalPlan& plan, const QRectF& rect, const QFont& font,
                                    const SignalPlanPaintOptions& options) {
  const QFontMetricsF fm(font);
  const double line = fm.height(), pad = Pad(fm);
  SignalPlanGeometry g;
  const double labelWidth = std::min(LabelWidth(plan, font, options), rect.width() * 0.4);
  const double stepsHeight = 2 * line + pad;
  const double axisHeight = line + 2 * pad;
  // Room for the last second's label past the end of the bars.
  const double rightMargin = fm.horizontalAdvance(QStringLiteral("0000")) / 2 + pad;

  g.title = QRectF(rect.left(), rect.top(), labelWidth, stepsHeight);
  g.steps = QRectF(rect.left() + labelWidth, rect.top(),
                   std::max(0.0, rect.width() - labelWidth - rightMargin), stepsHeight);
  const double rowsHeight = std::max(0.0, rect.height() - stepsHeight - axisHeight);
  const int rows = static_cast<int>(plan.rows.size());
  g.rowHeight = rows > 0 ? std::min(rowsHeight / rows, 2 * line) : 0;
  g.bars = QRectF(g.steps.left(), g.steps.bottom(), g.steps.width(), g.rowHeight * rows);
  g.labels = QRectF(rect.left(), g.bars.top(), labelWidth, g.bars.height());
  g.axis = QRectF(g.bars.left(), g.bars.bottom(), g.bars.width(), axisHeight);
  g.pixelsPerSecond = plan.cycleSeconds > 0 ? g.bars.width() / plan.cycleSeconds : 0;
  return g;
}

QSizeF SignalPlanNaturalSize(const SignalPlan& plan, const QFont& font,
                             const SignalPlanPaintOptions& options) {
  const QFontMetricsF fm(font);
  const double line = fm.height(), pad = Pad(fm);
  // Six pixels a second shows a 120 s cycle in a page's width; very long cycles stop
  // growing and lose the labels of their shortest steps instead.
  const double barsWidth = std::clamp(plan.cycleSeconds * 6.0, 600.0, 4000.0);
  const double width =
      LabelWidth(plan, font, options) + barsWidth + fm.horizontalAdvance(QStringLiteral("0000")) / 2 + pad;
  const double height = 2 * line + pad +
                        static_cast<double>(std::max<std::size_t>(plan.rows.size(), 1)) * 1.6 * line + line +
                        2 * pad;
  return {std::ceil(width), std::ceil(height)};
}

void PaintSignalPlan(QPainter& p, const QRectF& rect, const SignalPlan& plan,
                     const SignalPlanPaintOptions& options) {
  p.save();
  const QFontMetricsF fm(p.font());
  const double pad = Pad(fm), line = fm.height();
  if (options.fillBackground) p.fillRect(rect, Qt::white);
  p.setPen(kText);
  if (plan.steps.empty()) {
    p.drawText(rect, Qt::AlignCenter, QStringLiteral("Programda süresi olan adım yok"));
    p.restore();
    return;
  }

  const SignalPlanGeometry g = SignalPlanLayout(plan, rect, p.font(), options);
  const int rows = static_cast<int>(plan.rows.size());

  const QFont normal = p.font();
  QFont bold = normal;
  bold.setBold(true);
  p.setFont(bold);
  p.drawText(g.title.adjusted(pad, 0, 0, -pad), Qt::AlignLeft | Qt::AlignBottom, TitleOf(plan, options));
  p.setFont(normal);

  // Every other row shaded, the row labels left of them.
  for (int i = 0; i < rows; ++i) {
    const QRectF row(g.labels.left(), g.bars.top() + i * g.rowHeight, g.labels.width() + g.bars.width(),
                     g.rowHeight);
    if (i % 2 == 1) p.fillRect(row, kStripe);
    const PlanRow& r = plan.rows[static_cast<std::size_t>(i)];
    const QRectF label(g.labels.left() + pad, row.top(), g.labels.width() - 2 * pad, g.rowHeight);
    p.setPen(kText);
    p.drawText(label, Qt::AlignLeft | Qt::AlignVCenter,
               fm.elidedText(GroupLabel(r.group, NameOf(options, r.group)), Qt::ElideRight, label.width()));
  }

  // Step boundaries across the whole plan, the step numbers and durations above.
  p.setPen(QPen(kBoundary, 0));
  std::vector<QLineF> boundaries;
  boundaries.reserve(plan.steps.size() + 1);
  for (const PlanStep& s : plan.steps)
    boundaries.emplace_back(g.XAt(s.start), g.steps.top(), g.XAt(s.start), g.bars.bottom());
  boundaries.emplace_back(g.XAt(plan.cycleSeconds), g.steps.top(), g.XAt(plan.cycleSeconds), g.bars.bottom());
  p.drawLines(boundaries.data(), static_cast<int>(boundaries.size()));
  for (const PlanStep& s : plan.steps) {
    const double x0 = g.XAt(s.start), width = s.seconds * g.pixelsPerSecond;
    const QRectF number(x0, g.steps.top(), width, line);
    const QRectF seconds(x0, g.steps.top() + line, width, line);
    const QString n = QString::number(s.step);
    p.setPen(s.waiting ? kWaiting : kText);
    if (fm.horizontalAdvance(n) + 2 <= width) p.drawText(number, Qt::AlignCenter, n);
    p.setPen(kText);
    const QString longSeconds = QStringLiteral("%1 sn").arg(s.seconds),
                  shortSeconds = QString::number(s.seconds);
    if (fm.horizontalAdvance(longSeconds) + 2 <= width) {
      p.drawText(seconds, Qt::AlignCenter, longSeconds);
    } else if (fm.horizontalAdvance(shortSeconds) + 2 <= width) {
      p.drawText(seconds, Qt::AlignCenter, shortSeconds);
    }
  }

  // The bars, by code: a middle band of each row, so that rows stay apart.
  std::array<std::vector<QRectF>, 256> byCode;
  for (int i = 0; i < rows; ++i) {
    const double top = g.bars.top() + i * g.rowHeight + g.rowHeight * 0.2;
    const double height = g.rowHeight * 0.6;
    for (const PlanInterval& in : plan.rows[static_cast<std::size_t>(i)].intervals) {
      byCode[in.code].emplace_back(g.XAt(in.start), top, (in.end - in.start) * g.pixelsPerSecond, height);
    }
  }
  for (std::size_t code = 0; code < byCode.size(); ++code)
    PaintBars(p, byCode[code], static_cast<int>(code), fm);

  // The time axis: labelled ticks where they fit, and the cycle's end.
  p.setPen(QPen(kText, 0));
  p.drawLine(QLineF(g.bars.left(), g.bars.bottom(), g.XAt(plan.cycleSeconds), g.bars.bottom()));
  const double labelWidth = fm.horizontalAdvance(QStringLiteral("0000")) + pad;
  const int tick = TickSeconds(g.pixelsPerSecond, labelWidth);
  const double tickLength = pad;
  auto drawTick = [&](int s) {
    const double x = g.XAt(s);
    p.drawLine(QLineF(x, g.axis.top(), x, g.axis.top() + tickLength));
    p.drawText(QRectF(x - labelWidth / 2, g.axis.top() + tickLength, labelWidth, line), Qt::AlignCenter,
               QString::number(s));
  };
  for (int s = 0; s < plan.cycleSeconds; s += tick) {
    if ((plan.cycleSeconds - s) * g.pixelsPerSecond >= labelWidth) drawTick(s);
  }
  drawTick(plan.cycleSeconds);

  if (options.markerSeconds >= 0 && options.markerSeconds <= plan.cycleSeconds) {
    const double x = g.XAt(options.markerSeconds);
    p.setPen(QPen(kMarker, 2));
    p.drawLine(QLineF(x, g.steps.top(), x, g.bars.bottom()));
  }
  p.restore();
}

}  // namespace program::editors
