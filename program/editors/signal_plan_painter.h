#pragma once
// Draws a signal plan with a QPainter into a rectangle: one row per group (number and
// name), bars over a time axis in seconds, the steps with their numbers and durations
// above, and the cycle length. Any view that shows a program over time (the editor's
// plan, its print and export, a live plan) draws it this way.

#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <array>

#include "program/junction_data.h"
#include "program/signal_plan.h"

class QPainter;

namespace program::editors {

struct SignalPlanPaintOptions {
  // Name of group g at g - 1; empty = the number alone.
  std::array<QString, kJunctionGroups> groupNames{};
  // A vertical marker this many seconds into the cycle (a live plan's "now"); < 0 none.
  double markerSeconds = -1;
  // White under everything; off when the caller has drawn its own background.
  bool fillBackground = true;
  // Above the group labels; empty = the cycle length. A recorded plan is no cycle.
  QString title;
};

// Where the parts of a plan land in a rectangle, for drawing and for hit tests.
struct SignalPlanGeometry {
  QRectF title;   // top left corner: the cycle length
  QRectF labels;  // left of the bars: group numbers and names
  QRectF steps;   // above the bars: step numbers and durations
  QRectF bars;    // one row per plan row
  QRectF axis;    // under the bars: seconds
  double rowHeight = 0;
  double pixelsPerSecond = 0;

  double XAt(double seconds) const { return bars.left() + seconds * pixelsPerSecond; }
  // The plan row at y, or -1 outside the bars.
  int RowAt(double y, int rowCount) const;
  // Seconds into the cycle at x, or -1 outside the bars.
  double SecondsAt(double x) const;
};

SignalPlanGeometry SignalPlanLayout(const SignalPlan& plan, const QRectF& rect, const QFont& font,
                                    const SignalPlanPaintOptions& options = {});

// A size at which every label of the plan is readable: for export and scrolling.
QSizeF SignalPlanNaturalSize(const SignalPlan& plan, const QFont& font,
                             const SignalPlanPaintOptions& options = {});

// Paints with the painter's font; leaves the painter's state as it found it.
void PaintSignalPlan(QPainter& painter, const QRectF& rect, const SignalPlan& plan,
                     const SignalPlanPaintOptions& options = {});

// "Devir süresi: 120 sn"
QString CycleText(int seconds);
// "Grup-7 A1 Kuzey", or "Grup-7" without a name.
QString GroupLabel(int group, const QString& name);

}  // namespace program::editors
