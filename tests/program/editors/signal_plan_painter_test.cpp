#include "program/editors/signal_plan_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "editor_fixture.h"
#include "program/signal_plan.h"

namespace {

using program::editors::PaintSignalPlan;
using program::editors::SignalPlanLayout;

// Steps 1-4 of 10, 3, 0 and 7 s (step 3 is not played). Group 1: green, yellow,
// red; group 2: red, red+yellow, flashing yellow; group 5: a code the editor never
// sets in the last step; the other groups stay dark and get no row.
program::SignalPlan KnownPlan() {
  program::RecordSteps steps{};
  const int seconds[] = {10, 3, 0, 7};
  const int g1[] = {4, 2, 2, 1}, g2[] = {1, 3, 3, 10}, g5[] = {0, 0, 0, 5};
  for (std::size_t s = 0; s < 4; ++s) {
    steps[s + 1][0] = static_cast<std::uint8_t>(seconds[s]);
    steps[s + 1][1] = static_cast<std::uint8_t>(g1[s]);
    steps[s + 1][2] = static_cast<std::uint8_t>(g2[s]);
    steps[s + 1][5] = static_cast<std::uint8_t>(g5[s]);
  }
  return program::BuildSignalPlan(steps, 2);
}

struct Painted {
  program::SignalPlan plan = KnownPlan();
  QImage image{800, 300, QImage::Format_RGB32};
  program::editors::SignalPlanGeometry g;

  Painted() {
    image.fill(Qt::black);
    QPainter p(&image);
    PaintSignalPlan(p, image.rect(), plan);
    g = SignalPlanLayout(plan, image.rect(), p.font());
  }
  // The colour at `fraction` of the bar's height, `seconds` into the cycle.
  QColor At(int row, double seconds, double fraction = 0.5) const {
    const double y = g.bars.top() + (row + 0.2 + 0.6 * fraction) * g.rowHeight;
    return image.pixelColor(static_cast<int>(g.XAt(seconds)), static_cast<int>(y));
  }
};

class PlanPainterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { kxtest::EnsureApplication(); }
};

TEST_F(PlanPainterTest, BarsShowEachStateInItsColourWhereThePlanHasIt) {
  const Painted p;
  ASSERT_EQ(p.plan.rows.size(), 3u);
  ASSERT_GT(p.g.rowHeight, 6);
  EXPECT_EQ(p.At(0, 5), QColor(0, 255, 0));
  EXPECT_EQ(p.At(0, 11.5), QColor(255, 255, 0));
  EXPECT_EQ(p.At(0, 16), QColor(255, 0, 0));
  // Red over yellow in the red+yellow step.
  EXPECT_EQ(p.At(1, 11.5, 0.2), QColor(255, 0, 0));
  EXPECT_EQ(p.At(1, 11.5, 0.8), QColor(255, 255, 0));
  // A dark stretch is left empty: the background, not a colour.
  EXPECT_EQ(p.At(2, 5), QColor(Qt::white));
  EXPECT_EQ(p.At(2, 16), QColor(0x80, 0x80, 0x80));
}

TEST_F(PlanPainterTest, FlashingIsStripedNotSolid) {
  const Painted p;
  int white = 0, coloured = 0;
  const int y = static_cast<int>(p.g.bars.top() + 1.5 * p.g.rowHeight);
  for (int x = static_cast<int>(p.g.XAt(14)); x < static_cast<int>(p.g.XAt(19)); ++x) {
    const QColor c = p.image.pixelColor(x, y);
    if (c == QColor(Qt::white) || c == QColor(0xF2, 0xF2, 0xF2))
      ++white;
    else if (c.red() > 150 && c.green() > 150 && c.blue() < 100)
      ++coloured;
  }
  EXPECT_GT(white, 3);
  EXPECT_GT(coloured, 3);
}

TEST_F(PlanPainterTest, LayoutMapsPointsBackToRowsAndSeconds) {
  const Painted p;
  EXPECT_DOUBLE_EQ(p.g.XAt(20), p.g.bars.right());
  EXPECT_NEAR(p.g.SecondsAt(p.g.XAt(12.5)), 12.5, 1e-9);
  EXPECT_EQ(p.g.RowAt(p.g.bars.top() + 2.5 * p.g.rowHeight, 3), 2);
  EXPECT_EQ(p.g.RowAt(p.g.bars.bottom() + 1, 3), -1);
  EXPECT_EQ(p.g.SecondsAt(p.g.bars.left() - 1), -1);
}

TEST_F(PlanPainterTest, EmptyPlanOrTinyRectDrawsWithoutBars) {
  QImage image(200, 40, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  PaintSignalPlan(p, image.rect(), program::SignalPlan{});
  PaintSignalPlan(p, QRectF(0, 0, 3, 2), KnownPlan());
  EXPECT_EQ(image.pixelColor(199, 39), QColor(Qt::white));
}

}  // namespace
