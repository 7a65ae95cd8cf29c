// The step grid as the user edits it: the duration box, keys, "Seç", undo, copy and paste.

#include <QClipboard>
#include <QScrollBar>

#include "editor_fixture.h"

namespace {

struct StepGridEditing : kxtest::EditorTest {
  void Choose(int option) {
    ASSERT_NE(editor->LampPreset(), nullptr);
    kxtest::Child<QRadioButton>(*editor->LampPreset(), QStringLiteral("Option1_%1").arg(option)).click();
  }
};

TEST_F(StepGridEditing, DurationsGoOnlyIntoTheirCellsAndStepsAreCopiedAndUndoneUntilTheSave) {
  for (std::size_t s = 1; s <= 4; ++s) model->PgmGroups[2][s][0] = static_cast<std::uint8_t>(10 * s);
  model->PgmGroups[2][2][5] = 9;
  model->PgmGroups[3][1][0] = 77;
  Open();
  TypeDuration(2, QStringLiteral("33"), Qt::Key_Down);  // stored, and the edit moves on to step 3
  QTest::keyClicks(&Sure(), QStringLiteral("44"));
  QTest::keyClick(&Sure(), Qt::Key_Up);
  QTest::keyClicks(&Sure(), QStringLiteral("55"));
  // A scroll carries the box with its cell; Tab stores it and moves to the groups.
  Grid().verticalScrollBar()->setValue(Grid().verticalScrollBar()->maximum());
  QTest::keyClick(&Sure(), Qt::Key_Tab);
  EXPECT_EQ(Grid().currentIndex(), Grid().model()->index(1, 1));
  QTest::keyClicks(&Grid(), QStringLiteral("7"));  // no box on a group cell: nothing typed anywhere
  Current(4, 0);
  QTest::keyClick(&Grid(), Qt::Key_F2);
  QTest::keyClicks(&Sure(), QStringLiteral("66"));
  QTest::keyClick(&Sure(), Qt::Key_Escape);
  // A digit on a duration cell starts the edit with that digit.
  Current(1, 0);
  QTest::keyClicks(&Grid(), QStringLiteral("9"));
  QTest::keyClicks(&Sure(), QStringLiteral("8"));
  QTest::keyClick(&Sure(), Qt::Key_Return);
  EXPECT_EQ((QStringList{Cell(1, 0), Cell(2, 0), Cell(3, 0), Cell(4, 0)}),
            (QStringList{"98", "55", "44", "40"}));

  // Rows 2 and 3 of Program1 onto step 1 of Program2.
  Grid().selectionModel()->select(QItemSelection(Grid().model()->index(1, 0), Grid().model()->index(2, 32)),
                                  QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(&Grid(), Qt::Key_C, Qt::ControlModifier);
  editor->SelectRecord(3);
  Current(1, 4);
  QTest::keyClick(&Grid(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ((QStringList{Cell(1, 0), Cell(1, 5), Cell(2, 0), Cell(3, 0)}),
            (QStringList{"55", "9", "44", "0"}));
  QTest::keyClicks(&Grid(), QStringLiteral("4"));  // then a state in Program2, row 1 column 4

  // Undo walks back through both programs, redo forward again.
  const auto undo = [&](Qt::Key key, int step, int column) {
    QTest::keyClick(&Grid(), key, Qt::ControlModifier);
    return Cell(step, column);
  };
  EXPECT_EQ(undo(Qt::Key_Z, 1, 4), "0");
  EXPECT_EQ(undo(Qt::Key_Z, 1, 0), "77");
  EXPECT_EQ(undo(Qt::Key_Y, 1, 0), "55");

  editor->SelectRecord(2);
  Find<QPushButton>("BTN_Temizle").click();
  EXPECT_EQ(undo(Qt::Key_Z, 2, 0), "55") << "a cleared program comes back";
  editor->DegisiklikleriKaydet();
  QTest::keyClick(&Grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(model->PgmGroups[3][1][0], 55) << "nothing to undo after the save";
  EXPECT_EQ(Cell(2, 0), "55");

  // Text that is not steps pastes nothing.
  QApplication::clipboard()->setText(QStringLiteral("Kavşak 1"));
  EXPECT_EQ(undo(Qt::Key_V, 2, 0), "55");
}

TEST_F(StepGridEditing, KeysSetStatesAndAnOpenSecHandsItsChoiceOverBeforeTheGridIsRead) {
  Open();
  Current(1, 3);
  QTest::keyClicks(&Grid(), QStringLiteral("2"));
  EXPECT_EQ(Cell(1, 3), "2");
  QTest::keyClick(&Grid(), Qt::Key_Space);
  Choose(4);
  QTest::keyClick(editor->LampPreset(), Qt::Key_Escape);
  EXPECT_EQ(Cell(1, 3), "2") << "Escape leaves the cell";
  QTest::keyClick(&Grid(), Qt::Key_Space);
  Choose(7);
  QTest::keyClick(editor->LampPreset(), Qt::Key_Return);
  EXPECT_EQ(Cell(1, 3), "12");
  // Saved, memory shown or simulation started with "Seç" open: its choice is in.
  for (const char* button : {"BTN_Kaydet", "BTN_HafizayiGoster", "BTN_Simulasyon"}) {
    model->PgmGroups[2][1][3] = 0;
    Open();
    Current(1, 3);
    QTest::keyClick(&Grid(), Qt::Key_Space);
    Choose(4);
    Find<QPushButton>(button).click();
    EXPECT_EQ(model->PgmGroups[2][1][3], 4) << button;
    flags.SimActive = false;
  }
}

}  // namespace
