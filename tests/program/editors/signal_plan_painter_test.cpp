#include "program/editors/signal_plan_painter.h"

#include <QPainter>

#include "editor_fixture.h"

namespace {

using program::editors::PaintSignalPlan;

TEST(PlanPainter, BarsShowEachStateInItsColourAndOutsideTheBarsIsNoRow) {
  kxtest::EnsureApplication();
  // Steps of 10, 3, 0 (not played) and 7 s; group 5 gets a code the editor never sets.
  program::RecordSteps steps{};
  steps[1] = {10, 4, 1, 0, 0, 0};
  steps[2] = {3, 2, 3, 0, 0, 0};
  steps[3] = {0, 2, 3, 0, 0, 0};
  steps[4] = {7, 1, 10, 0, 0, 5};
  const program::SignalPlan plan = program::BuildSignalPlan(steps, 2);
  QImage image(800, 300, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  PaintSignalPlan(p, image.rect(), plan);
  const auto g = program::editors::SignalPlanLayout(plan, image.rect(), p.font());
  // The colour at `fraction` of the bar's height, `seconds` into the cycle.
  const auto at = [&](int row, double seconds, double fraction = 0.5) {
    const double y = g.bars.top() + (row + 0.2 + 0.6 * fraction) * g.rowHeight;
    return image.pixelColor(static_cast<int>(g.XAt(seconds)), static_cast<int>(y));
  };
  ASSERT_EQ(plan.rows.size(), 3u);
  ASSERT_GT(g.rowHeight, 6);
  // Red over yellow for red+yellow; group 5's dark stretch is background, its odd code grey.
  EXPECT_EQ((std::vector<QColor>{at(0, 5), at(0, 11.5), at(0, 16), at(1, 11.5, 0.2), at(1, 11.5, 0.8),
                                 at(2, 5), at(2, 16)}),
            (std::vector<QColor>{QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0), QColor(255, 0, 0),
                                 QColor(255, 255, 0), QColor(Qt::white), QColor(0x80, 0x80, 0x80)}));
  // Inside the bars the tooltips of PlanPane.ExportsAndFollowsTheGridBeforeAnySave prove the map.
  EXPECT_EQ(g.RowAt(g.bars.top() + 2.5 * g.rowHeight, 3), 2);
  EXPECT_EQ(g.RowAt(g.bars.bottom() + 1, 3), -1);
  EXPECT_EQ(g.SecondsAt(g.bars.left() - 1), -1);

  // An empty plan, and a plan in a rectangle too small for it, draw no bars.
  p.fillRect(image.rect(), Qt::black);
  PaintSignalPlan(p, QRectF(0, 0, 200, 40), program::SignalPlan{});
  PaintSignalPlan(p, QRectF(0, 0, 3, 2), plan);
  EXPECT_EQ(image.pixelColor(199, 39), QColor(Qt::white));
}

}  // namespace
