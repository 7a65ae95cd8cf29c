// The step grid as the user edits it: the duration box, keys, "Seç", undo, copy and paste.

#include <QClipboard>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionViewItem>

#include "editor_fixture.h"
#include "program/editors/lamp_preset_dialog.h"
#include "program/editors/state_cell_delegate.h"
#include "program/editors/step_grid_model.h"

namespace {

struct StepGridEditing : kxtest::EditorTest {
  void Key(QWidget& w, Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(&w, key, mods); }
  void Choose(int option) {
    ASSERT_NE(editor->LampPreset(), nullptr);
    kxtest::Child<QRadioButton>(*editor->LampPreset(), QStringLiteral("Option1_%1").arg(option)).click();
  }
};

TEST_F(StepGridEditing, TheDurationBoxWritesOnlyIntoItsOwnCell) {
  for (std::size_t s = 1; s <= 4; ++s) model->PgmGroups[2][s][0] = static_cast<std::uint8_t>(10 * s);
  Open();
  TypeDuration(2, QStringLiteral("33"), Qt::Key_Down);  // stored, and the edit moves on to step 3
  EXPECT_EQ(Sure().geometry(), Grid().visualRect(Grid().model()->index(2, 0)));
  QTest::keyClicks(&Sure(), QStringLiteral("44"));
  Key(Sure(), Qt::Key_Up);
  QTest::keyClicks(&Sure(), QStringLiteral("55"));
  // A scroll carries the box with its cell; Tab stores it and moves to the groups.
  Grid().verticalScrollBar()->setValue(Grid().verticalScrollBar()->maximum());
  Key(Sure(), Qt::Key_Tab);
  EXPECT_EQ(Grid().currentIndex(), Grid().model()->index(1, 1));
  QTest::keyClicks(&Grid(), QStringLiteral("7"));  // no box on a group cell: nothing typed anywhere
  Current(4, 0);
  Key(Grid(), Qt::Key_F2);
  QTest::keyClicks(&Sure(), QStringLiteral("66"));
  Key(Sure(), Qt::Key_Escape);
  // A digit on a duration cell starts the edit with that digit.
  Current(1, 0);
  QTest::keyClicks(&Grid(), QStringLiteral("9"));
  QTest::keyClicks(&Sure(), QStringLiteral("8"));
  Key(Sure(), Qt::Key_Return);
  EXPECT_EQ((QStringList{Cell(1, 0), Cell(2, 0), Cell(3, 0), Cell(4, 0)}),
            (QStringList{"98", "55", "44", "40"}));
}

TEST_F(StepGridEditing, KeysSetStatesAndSecIsClosedByEscapeOrReturn) {
  model->PgmGroups[2][1][3] = 5;
  Open();
  Current(1, 3);
  QTest::keyClicks(&Grid(), QStringLiteral("2"));
  EXPECT_EQ(Cell(1, 3), "2");
  Key(Grid(), Qt::Key_Space);
  Choose(4);
  Key(*editor->LampPreset(), Qt::Key_Escape);
  EXPECT_EQ(Cell(1, 3), "2") << "Escape leaves the cell";
  Key(Grid(), Qt::Key_Space);
  Choose(7);
  Key(*editor->LampPreset(), Qt::Key_Return);
  EXPECT_EQ(Cell(1, 3), "12");
}

TEST_F(StepGridEditing, AnOpenSecHandsItsChoiceOverBeforeTheGridIsRead) {
  for (const char* button : {"BTN_Kaydet", "BTN_HafizayiGoster", "BTN_Simulasyon"}) {
    model->PgmGroups[2][1][3] = 0;
    Open();
    Current(1, 3);
    Key(Grid(), Qt::Key_Space);
    Choose(4);
    Find<QPushButton>(button).click();
    EXPECT_EQ(model->PgmGroups[2][1][3], 4) << button;
    flags.SimActive = false;
  }
}

TEST_F(StepGridEditing, StepsAreCopiedBetweenProgramsAndEditsUndoneUntilTheSave) {
  for (std::size_t s = 1; s <= 4; ++s) model->PgmGroups[2][s][0] = static_cast<std::uint8_t>(10 * s);
  model->PgmGroups[2][2][5] = 9;
  model->PgmGroups[3][1][0] = 77;
  Open();
  // Rows 2 and 3 of Program1 onto step 1 of Program2.
  Grid().selectionModel()->select(QItemSelection(Grid().model()->index(1, 0), Grid().model()->index(2, 32)),
                                  QItemSelectionModel::ClearAndSelect);
  Key(Grid(), Qt::Key_C, Qt::ControlModifier);
  editor->SelectRecord(3);
  Current(1, 4);
  Key(Grid(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ((QStringList{Cell(1, 0), Cell(1, 5), Cell(2, 0), Cell(3, 0)}),
            (QStringList{"20", "9", "30", "0"}));
  QTest::keyClicks(&Grid(), QStringLiteral("4"));  // then a state in Program2, row 1 column 4

  // Undo walks back through both programs, redo forward again.
  const auto undo = [&](Qt::Key key, int step, int column) {
    Key(Grid(), key, Qt::ControlModifier);
    return Cell(step, column);
  };
  EXPECT_EQ(undo(Qt::Key_Z, 1, 4), "0");
  EXPECT_EQ(undo(Qt::Key_Z, 1, 0), "77");
  EXPECT_EQ(undo(Qt::Key_Y, 1, 0), "20");

  editor->SelectRecord(2);
  Find<QPushButton>("BTN_Temizle").click();
  EXPECT_EQ(undo(Qt::Key_Z, 2, 0), "20") << "a cleared program comes back";
  editor->DegisiklikleriKaydet();
  Key(Grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(model->PgmGroups[3][1][0], 20) << "nothing to undo after the save";
  EXPECT_EQ(Cell(2, 0), "20");

  // Text that is not steps pastes nothing.
  QApplication::clipboard()->setText(QStringLiteral("Kavşak 1"));
  EXPECT_EQ(undo(Qt::Key_V, 2, 0), "20");
}

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
