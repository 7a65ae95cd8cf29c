#include "program/editors/lamp_preset_dialog.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "editor_fixture.h"
#include "monitor/traffic_lamp.h"

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

TEST_F(LampPresetFromTheGrid, OpensAtTheCellAndACodeWithoutAChoiceBecomesOff) {
  model->PgmGroups[2][2][5] = 5;  // red and green together
  Open();
  Frm_Edit_Pre1* dlg = OpenOn(2, 5);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(dlg->pos(),
            Grid().viewport()->mapToGlobal(Grid().visualRect(Grid().model()->index(1, 5)).topLeft()));
  EXPECT_TRUE(Option(*dlg, 0).isChecked());
  EXPECT_EQ(editor->CellStateCode(), 0);
  dlg->close();
  EXPECT_EQ(Cell(2, 5), "0");
}

TEST_F(LampPresetFromTheGrid, ChoiceReachesTheCellItWasOpenedForWhenAnotherCellIsEntered) {
  model->PgmGroups[2][1][3] = 1;
  model->PgmGroups[2][4][7] = 2;
  Open();
  Frm_Edit_Pre1* dlg = OpenOn(1, 3);
  ASSERT_NE(dlg, nullptr);
  Option(*dlg, 4).click();  // "Yeşil"
  Click(Grid(), 3, 7);
  EXPECT_EQ(editor->LampPreset(), nullptr);
  EXPECT_EQ(std::pair(Cell(1, 3), Cell(4, 7)), std::pair(QStringLiteral("4"), QStringLiteral("2")));
  EXPECT_EQ(editor->CellStateCode(), 2);
  EXPECT_EQ(OpenOn(2, 0), nullptr) << "a right click on a duration cell opens nothing";
  editor->DegisiklikleriKaydet();
  EXPECT_EQ(model->PgmGroups[2][1][3], 4);
}

struct LampPresetWindow : ::testing::Test {
  static void SetUpTestSuite() { kxtest::EnsureApplication(); }
  std::int16_t code = 0;
  bool blink = false;
  std::vector<int> written;
  std::unique_ptr<Frm_Edit_Pre1> Make(std::int16_t start) {
    code = start;
    return std::make_unique<Frm_Edit_Pre1>(code, blink, [this](int c) { written.push_back(c); });
  }
  std::vector<int> Preview(Frm_Edit_Pre1& dlg, int ticks) {
    std::vector<int> states;
    for (int i = 0; i < ticks; ++i) dlg.Edit_LambasimtimerTick(), states.push_back(dlg.PreviewLamp().State());
    return states;
  }
};

TEST_F(LampPresetWindow, PreviewBlinksFlashingChoicesAndHoldsSteadyOnes) {
  auto dlg = Make(3);
  EXPECT_TRUE(Option(*dlg, 3).isChecked());
  EXPECT_EQ(Preview(*dlg, 3), (std::vector<int>{3, 3, 3}));
  Option(*dlg, 6).click();  // "Sarı Flas"
  EXPECT_EQ(code, 10);
  const std::vector<int> states = Preview(*dlg, 4);  // `blink` is the phase after them
  EXPECT_EQ(states, (blink ? std::vector<int>{0, 2, 0, 2} : std::vector<int>{2, 0, 2, 0}));
}

TEST_F(LampPresetWindow, PictureClickChoosesLikeItsOptionAndTheButtonWritesTwice) {
  auto dlg = Make(9);
  EXPECT_TRUE(Option(*dlg, 5).isChecked());
  QTest::mouseClick(&Child<QLabel>(*dlg, QStringLiteral("Image1_7")), Qt::LeftButton);
  EXPECT_TRUE(Option(*dlg, 7).isChecked());
  EXPECT_EQ(code, 12);
  dlg->show();
  Child<QPushButton>(*dlg, QStringLiteral("Command1")).click();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(written, (std::vector<int>{12, 12}));
}

}  // namespace
