// The step grid as a keyboard user edits it: the duration box stays with its cell,
// keys set states, "Seç" hands its choice over before anything reads the grid, and
// steps are undone, copied and pasted.

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "editor_fixture.h"
#include "program/editors/lamp_preset_dialog.h"

namespace {

using kxtest::EditorTest;

struct StepGridEditing : EditorTest {
  QLineEdit& Sure() const { return Find<QLineEdit>("TXT_Sure"); }
  void Key(QWidget& w, Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(&w, key, mods); }
  void Current(int step, int column) { Grid().setCurrentIndex(Grid().model()->index(step - 1, column)); }
  void Seed() {
    for (std::size_t s = 1; s <= 4; ++s) model->PgmGroups[2][s][0] = static_cast<std::uint8_t>(10 * s);
  }
};

TEST_F(StepGridEditing, TheDurationBoxWritesOnlyIntoItsOwnCell) {
  Seed();
  Open();
  Click(Grid(), 1, 0);  // step 2
  QTest::keyClicks(&Sure(), QStringLiteral("33"));
  Key(Sure(), Qt::Key_Down);  // stored, and the edit moves on with step 3's value
  EXPECT_EQ(Cell(2, 0), "33");
  ASSERT_TRUE(Sure().isVisible());
  EXPECT_EQ(Sure().text(), "30");
  EXPECT_EQ(Sure().geometry(), Grid().visualRect(Grid().model()->index(2, 0)));
  QTest::keyClicks(&Sure(), QStringLiteral("44"));
  Key(Sure(), Qt::Key_Up);
  EXPECT_EQ(Cell(3, 0), "44");
  EXPECT_EQ(Sure().text(), "33");
  QTest::keyClicks(&Sure(), QStringLiteral("55"));
  // A scroll carries the box with its cell; Tab stores it and moves to the groups.
  Grid().verticalScrollBar()->setValue(Grid().verticalScrollBar()->maximum());
  Key(Sure(), Qt::Key_Tab);
  EXPECT_FALSE(Sure().isVisible());
  EXPECT_EQ(Cell(2, 0), "55");
  EXPECT_EQ(Grid().currentIndex(), Grid().model()->index(1, 1));
  QTest::keyClicks(&Grid(), QStringLiteral("7"));  // no box on a group cell: nothing typed anywhere
  Current(4, 0);
  Key(Grid(), Qt::Key_F2);
  QTest::keyClicks(&Sure(), QStringLiteral("66"));
  Key(Sure(), Qt::Key_Escape);
  for (auto [step, seconds] : {std::pair{1, "10"}, {2, "55"}, {3, "44"}, {4, "40"}})
    EXPECT_EQ(Cell(step, 0), seconds) << step;

  // A digit on a duration cell starts the edit with that digit.
  Current(1, 0);
  QTest::keyClicks(&Grid(), QStringLiteral("9"));
  QTest::keyClicks(&Sure(), QStringLiteral("8"));
  Key(Sure(), Qt::Key_Return);
  EXPECT_EQ(Cell(1, 0), "98");
}

TEST_F(StepGridEditing, KeysSetStatesAndSecIsClosedByEscapeOrReturn) {
  model->PgmGroups[2][1][3] = 5;
  Open();
  Current(1, 3);
  QTest::keyClicks(&Grid(), QStringLiteral("2"));
  EXPECT_EQ(Cell(1, 3), "2");
  Key(Grid(), Qt::Key_Space);
  program::editors::Frm_Edit_Pre1* seç = editor->LampPreset();
  ASSERT_NE(seç, nullptr);
  kxtest::Child<QRadioButton>(*seç, QStringLiteral("Option1_4")).click();
  Key(*seç, Qt::Key_Escape);
  EXPECT_EQ(editor->LampPreset(), nullptr);
  EXPECT_EQ(Cell(1, 3), "2") << "Escape leaves the cell";
  Key(Grid(), Qt::Key_Space);
  kxtest::Child<QRadioButton>(*editor->LampPreset(), QStringLiteral("Option1_7")).click();
  Key(*editor->LampPreset(), Qt::Key_Return);
  EXPECT_EQ(Cell(1, 3), "12");
}

class SecOpenWhileTheGridIsRead : public StepGridEditing,
                                  public ::testing::WithParamInterface<const char*> {};

TEST_P(SecOpenWhileTheGridIsRead, TheChoiceReachesTheModel) {
  Open();
  Current(1, 3);
  Key(Grid(), Qt::Key_Space);
  ASSERT_NE(editor->LampPreset(), nullptr);
  kxtest::Child<QRadioButton>(*editor->LampPreset(), QStringLiteral("Option1_4")).click();
  Find<QPushButton>(GetParam()).click();
  EXPECT_EQ(model->PgmGroups[2][1][3], 4);
  flags.SimActive = false;
}

INSTANTIATE_TEST_SUITE_P(Buttons, SecOpenWhileTheGridIsRead,
                         ::testing::Values("BTN_Kaydet", "BTN_HafizayiGoster", "BTN_Simulasyon"));

TEST_F(StepGridEditing, StepsAreCopiedBetweenProgramsAndEditsUndoneUntilTheSave) {
  Seed();
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
  EXPECT_EQ(Cell(1, 0), "20");
  EXPECT_EQ(Cell(1, 5), "9");
  EXPECT_EQ(Cell(2, 0), "30");
  EXPECT_EQ(Cell(3, 0), "0");
  QTest::keyClicks(&Grid(), QStringLiteral("4"));  // then a state in Program2, row 1 column 4

  // Undo walks back through both programs, redo forward again.
  Key(Grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Cell(1, 4), "0");
  Key(Grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Cell(1, 0), "77");
  Key(Grid(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Cell(1, 0), "20");

  editor->SelectRecord(2);
  Find<QPushButton>("BTN_Temizle").click();
  EXPECT_EQ(Cell(2, 0), "0");
  Key(Grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Cell(2, 0), "20") << "a cleared program comes back";
  editor->DegisiklikleriKaydet();
  Key(Grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(model->PgmGroups[3][1][0], 20) << "nothing to undo after the save";
  EXPECT_EQ(Cell(2, 0), "20");

  // Text that is not steps pastes nothing.
  QApplication::clipboard()->setText(QStringLiteral("Kavşak 1"));
  Key(Grid(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Cell(2, 0), "20");
}

}  // namespace
