// The plan beside the step grid as the user sees it: it follows the grid's edits
// before any save, names the groups, lists the warnings, and exports readable files.

#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "editor_fixture.h"
#include "program/editors/group_name_tooltips.h"
#include "program/editors/program_edit.h"
#include "program/editors/signal_plan_pane.h"
#include "program/editors/signal_plan_view.h"

namespace {

using kxtest::EditorTest;
using program::editors::SignalPlanPane;

struct PlanPane : EditorTest {
  program::JunctionData junction;

  // Program1: group 1 green 10 s, then yellow 3 s.
  void OpenSeeded() {
    auto& steps = model->PgmGroups[2];
    steps[1][0] = 10;
    steps[1][1] = 4;
    steps[2][0] = 3;
    steps[2][1] = 2;
    program::SetGroupName(junction, 1, "A1 Kuzey");
    program::SetGroupName(junction, 3, "Y1 yaya");
    Open();
    editor->SetJunction(junction);
  }
  SignalPlanPane& Pane() const { return Find<SignalPlanPane>("SinyalPlani"); }
  const program::SignalPlan& Plan() const { return Pane().View().Plan(); }
  void SetCell(int step, int column, int code) {
    Grid().setCurrentIndex(Grid().model()->index(step - 1, column));
    editor->SetCellPicture(code);
    Settle();
  }
  // The plan follows once the event loop turns.
  static void Settle() { QCoreApplication::processEvents(); }
  QString TipAt(int row, double seconds) const {
    auto& view = Pane().View();
    const auto g = program::editors::SignalPlanLayout(Plan(), QRectF(view.rect()), view.font());
    return view.ToolTipAt({g.XAt(seconds), g.bars.top() + (row + 0.5) * g.rowHeight});
  }
};

TEST_F(PlanPane, FollowsTheGridBeforeAnySaveAndNamesTheGroups) {
  OpenSeeded();
  EXPECT_EQ(Plan().cycleSeconds, 13);
  ASSERT_EQ(Plan().rows.size(), 1u);
  EXPECT_EQ(TipAt(0, 5), QStringLiteral("Grup-1 A1 Kuzey: Yeşil, 0-10 sn (adım 1)"));

  SetCell(1, 3, 1);
  Click(Grid(), 2, 0);  // step 3 gets a duration
  QTest::keyClicks(&Find<QLineEdit>("TXT_Sure"), QStringLiteral("7"));
  QTest::keyClick(&Find<QLineEdit>("TXT_Sure"), Qt::Key_Return);
  Settle();
  EXPECT_EQ(Plan().cycleSeconds, 20);
  ASSERT_EQ(Plan().rows.size(), 2u);
  EXPECT_EQ(TipAt(1, 1), QStringLiteral("Grup-3 Y1 yaya: Kırmızı, 0-10 sn (adım 1)"));
  EXPECT_EQ(model->PgmGroups[2][1][3], 0) << "the model changes only at the save";

  auto& names = *Grid().horizontalHeader()->findChild<program::editors::GroupNameToolTips*>();
  EXPECT_EQ(names.ToolTip(3), QStringLiteral("Grup-3: Y1 yaya"));
  EXPECT_EQ(names.ToolTip(2), QString());
}

TEST_F(PlanPane, WarningsFollowTheGridAndSelectTheirCell) {
  OpenSeeded();
  auto& list = Find<QListWidget>("LST_Uyarilar");
  const int before = list.count();
  SetCell(1, 5, 1);  // group 5: red, then straight to green
  SetCell(2, 5, 4);
  ASSERT_GT(list.count(), before);
  QListWidgetItem* found = nullptr;
  for (int i = 0; i < list.count() && !found; ++i) {
    if (list.item(i)->text().contains(QStringLiteral("Grup-5"))) found = list.item(i);
  }
  ASSERT_NE(found, nullptr);
  Grid().setCurrentIndex(Grid().model()->index(0, 0));
  const QRect r = list.visualItemRect(found);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, r.center());
  EXPECT_EQ(Grid().currentIndex().column(), 5);
}

TEST_F(PlanPane, ExportsPdfPngAndSvgAndReportsARefusedFile) {
  OpenSeeded();
  QTemporaryDir dir;
  QString target;
  Pane().ChooseExportFile = [&] { return target; };
  QSignalSpy status(editor.get(), &program::editors::Program_EDIT::statusMessage);
  auto& button = Find<QPushButton>("BTN_PlanDisaAktar");

  for (const char* name : {"plan.pdf", "plan.PNG", "plan.svg"}) {
    target = dir.filePath(QLatin1String(name));
    button.click();
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    const QByteArray bytes = f.readAll();
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status.takeFirst().at(0).toString(), QStringLiteral("Sinyal planı kaydedildi: ") + target);
    if (target.endsWith(QLatin1String(".pdf"))) {
      EXPECT_TRUE(bytes.startsWith("%PDF-"));
      EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    } else if (target.endsWith(QLatin1String(".PNG"))) {
      EXPECT_GT(QImage::fromData(bytes, "PNG").width(), 600);
    } else {
      EXPECT_TRUE(QSvgRenderer(bytes).isValid());
      EXPECT_TRUE(bytes.contains("A1 Kuzey"));
      EXPECT_TRUE(bytes.contains("Devir süresi: 13 sn"));
      EXPECT_TRUE(bytes.contains("Proje: /p/a.prj"));
    }
  }

  target = dir.filePath(QStringLiteral("no/such/folder/plan.pdf"));
  button.click();
  ASSERT_EQ(status.count(), 1);
  EXPECT_TRUE(
      status.takeFirst().at(0).toString().startsWith(QStringLiteral("Plan kaydedilemedi: ") + target));
}

}  // namespace
