// What the step grid shows beyond the codes: odd codes stand out, and the duration
// column stays beside the step numbers while the groups scroll.

#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionViewItem>

#include "editor_fixture.h"
#include "program/editors/state_cell_delegate.h"
#include "program/editors/step_grid_model.h"

namespace {

using program::editors::StateCellDelegate;

int HatchPixels(int code) {
  program::RecordSteps steps{};
  steps[1][3] = static_cast<std::uint8_t>(code);
  program::editors::StepGridModel model;
  model.Load(steps, 1, 0);
  QImage image(40, 24, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QStyleOptionViewItem option;
  option.rect = image.rect();
  StateCellDelegate().paint(&painter, option, model.index(0, 3));
  painter.end();
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == StateCellDelegate::kOddCodeHatch;
  }
  return n;
}

TEST(StateCell, CodesWithoutAPictureAreHatched) {
  kxtest::EnsureApplication();
  for (int code : {5, 6, 13, 15}) EXPECT_GT(HatchPixels(code), 20) << code;
  for (int code : {0, 1, 4, 9, 10, 12}) EXPECT_EQ(HatchPixels(code), 0) << code;
}

using FrozenDuration = kxtest::EditorTest;

TEST_F(FrozenDuration, StaysWhileTheGroupsScrollAndNeverHidesTheCurrentCell) {
  Open();
  editor->resize(520, 420);
  QApplication::processEvents();
  auto& frozen = Find<QTableView>("MSFlexGrid1_Frozen");
  QScrollBar* bar = Grid().horizontalScrollBar();
  bar->setValue(bar->maximum());
  ASSERT_GT(bar->value(), 3);
  EXPECT_TRUE(frozen.isVisible());
  EXPECT_EQ(frozen.visualRect(frozen.model()->index(0, 0)).left(), 0) << "the duration column stays";

  // Left, into the column that lies under the frozen one: the grid scrolls it out.
  const int column = bar->value();
  Current(1, column);
  EXPECT_GE(Grid().visualRect(Grid().model()->index(0, column)).left(), frozen.width() - 2);

  // A click on the frozen duration cell opens the box where it can be seen.
  Click(frozen, 2, 0);
  EXPECT_TRUE(Sure().isVisible());
  EXPECT_FALSE(frozen.isVisible()) << "nothing lies over the box";
  EXPECT_TRUE(Grid().viewport()->rect().contains(Sure().geometry()));
  QTest::keyClick(&Sure(), Qt::Key_Escape);
  EXPECT_TRUE(frozen.isVisible());
}

}  // namespace
