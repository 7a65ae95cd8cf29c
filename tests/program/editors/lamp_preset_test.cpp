
#include <QContextMenuEvent>

#include "editor_fixture.h"

namespace {

using kxtest::Child;
using program::editors::Frm_Edit_Pre1;

QRadioButton& Option(const QWidget& dlg, int i) {
  return Child<QRadioButton>(dlg, QStringLiteral("Option1_%1").arg(i));
}

struct LampPresetFromTheGrid : kxtest::EditorTest {
  Frm_Edit_Pre1* OpenOn(int step, int group) {
    // The platform turns a right click into a context menu request; QTest does not.
    Click(Grid(), step - 1, group, Qt::RightButton);
    const QPoint at = CellCentre(Grid(), step - 1, group);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, Grid().viewport()->mapToGlobal(at));
    QApplication::sendEvent(Grid().viewport(), &menu);
    return editor->LampPreset();
  }
};

TEST_F(LampPresetFromTheGrid, ItsChoiceReachesTheCellItWasOpenedForOnly) {
  model->PgmGroups[2][2][5] = 5;  // red and green together
  model->PgmGroups[2][1][3] = 1;
  model->PgmGroups[2][4][7] = 2;
  Open();
  Frm_Edit_Pre1* dlg = OpenOn(2, 5);
  ASSERT_NE(dlg, nullptr);
  // A code without a choice becomes off.
  EXPECT_TRUE(Option(*dlg, 0).isChecked());
  dlg->close();
  EXPECT_EQ(Cell(2, 5), "0");

  // The choice reaches the cell it was opened for when another cell is entered.
  dlg = OpenOn(1, 3);
  ASSERT_NE(dlg, nullptr);
  Option(*dlg, 4).click();  // "Yeşil"
  Click(Grid(), 3, 7);
  EXPECT_EQ(editor->LampPreset(), nullptr);
  EXPECT_EQ(std::pair(Cell(1, 3), Cell(4, 7)), std::pair(QStringLiteral("4"), QStringLiteral("2")));

  // A picture chooses like its option; the window's button closes it with the choice.
  dlg = OpenOn(4, 7);
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(Option(*dlg, 2).isChecked());
  QTest::mouseClick(&Child<QLabel>(*dlg, QStringLiteral("Image1_7")), Qt::LeftButton);
  EXPECT_TRUE(Option(*dlg, 7).isChecked());
  Child<QPushButton>(*dlg, QStringLiteral("Command1")).click();
  EXPECT_EQ(Cell(4, 7), "12");
  EXPECT_EQ(OpenOn(2, 0), nullptr) << "a right click on a duration cell opens nothing";
  editor->DegisiklikleriKaydet();
  EXPECT_EQ(model->PgmGroups[2][1][3], 4);
}

}  // namespace
