#include "program/editors/signal_plan_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "editor_fixture.h"
#include "program/signal_plan.h"

namespace {

using program::editors::PaintSignalPlan;

// Steps of 10, 3, 0 (not played) and 7 s; group 5 gets a code the editor never sets.
program::SignalPlan KnownPlan() {
  program::RecordSteps steps{};
  steps[1] = {10, 4, 1, 0, 0, 0};
  steps[2] = {3, 2, 3, 0, 0, 0};
  steps[3] = {0, 2, 3, 0, 0, 0};
  steps[4] = {7, 1, 10, 0, 0, 5};
  return program::BuildSignalPlan(steps, 2);
}

struct PlanPainter : ::testing::Test {
  static void SetUpTestSuite() { kxtest::EnsureApplication(); }
  program::SignalPlan plan = KnownPlan();
  QImage image{800, 300, QImage::Format_RGB32};
  program::editors::SignalPlanGeometry g;

  void SetUp() override {
    image.fill(Qt::black);
    QPainter p(&image);
    PaintSignalPlan(p, image.rect(), plan);
    g = program::editors::SignalPlanLayout(plan, image.rect(), p.font());
  }
  // The colour at `fraction` of the bar's height, `seconds` into the cycle.
  QColor At(int row, double seconds, double fraction = 0.5) const {
    const double y = g.bars.top() + (row + 0.2 + 0.6 * fraction) * g.rowHeight;
    return image.pixelColor(static_cast<int>(g.XAt(seconds)), static_cast<int>(y));
  }
};

TEST_F(PlanPainter, BarsShowEachStateInItsColourAndFlashingIsStriped) {
  ASSERT_EQ(plan.rows.size(), 3u);
  ASSERT_GT(g.rowHeight, 6);
  // Red over yellow for red+yellow; group 5's dark stretch is background, its odd code grey.
  EXPECT_EQ((std::vector<QColor>{At(0, 5), At(0, 11.5), At(0, 16), At(1, 11.5, 0.2), At(1, 11.5, 0.8),
                                 At(2, 5), At(2, 16)}),
            (std::vector<QColor>{QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0), QColor(255, 0, 0),
                                 QColor(255, 255, 0), QColor(Qt::white), QColor(0x80, 0x80, 0x80)}));
  int white = 0, coloured = 0;
  const int y = static_cast<int>(g.bars.top() + 1.5 * g.rowHeight);
  for (int x = static_cast<int>(g.XAt(14)); x < static_cast<int>(g.XAt(19)); ++x) {
    const QColor c = image.pixelColor(x, y);
    white += c == QColor(Qt::white) || c == QColor(0xF2, 0xF2, 0xF2);
    coloured += c.red() > 150 && c.green() > 150 && c.blue() < 100;
  }
  EXPECT_GT(white, 3);
  EXPECT_GT(coloured, 3);
}

TEST_F(PlanPainter, LayoutMapsPointsBackToRowsAndSecondsAndEmptyPlansDrawNoBars) {
  // Inside the bars the tooltips of PlanPane.FollowsTheGridBeforeAnySaveAndNamesTheGroups prove the map.
  EXPECT_EQ(g.RowAt(g.bars.top() + 2.5 * g.rowHeight, 3), 2);
  EXPECT_EQ(g.RowAt(g.bars.bottom() + 1, 3), -1);
  EXPECT_EQ(g.SecondsAt(g.bars.left() - 1), -1);

  QImage small(200, 40, QImage::Format_RGB32);
  small.fill(Qt::black);
  QPainter p(&small);
  PaintSignalPlan(p, small.rect(), program::SignalPlan{});
  PaintSignalPlan(p, QRectF(0, 0, 3, 2), KnownPlan());
  EXPECT_EQ(small.pixelColor(199, 39), QColor(Qt::white));
}

}  // namespace
