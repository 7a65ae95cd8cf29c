#include <QFile>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <functional>

#include "editor_fixture.h"
#include "program/editors/signal_plan_pane.h"
#include "program/editors/signal_plan_view.h"

namespace {

struct PlanPane : kxtest::EditorTest {
  program::JunctionData junction;

  // Program1: group 1 green 10 s, then yellow 3 s.
  void SetUp() override {
    model->PgmGroups[2][1] = {10, 4};
    model->PgmGroups[2][2] = {3, 2};
    program::SetGroupName(junction, 1, "A1 Kuzey");
    program::SetGroupName(junction, 3, "Y1 yaya");
    Open();
    editor->SetJunction(junction);
  }
  auto& Pane() const { return Find<program::editors::SignalPlanPane>("SinyalPlani"); }
  const program::SignalPlan& Plan() const { return Pane().View().Plan(); }
  void SetCell(int step, int column, int code) {
    Current(step, column);
    editor->SetCellPicture(code);
    QCoreApplication::processEvents();
  }
  QString TipAt(int row, double seconds) const {
    auto& view = Pane().View();
    const auto g = program::editors::SignalPlanLayout(Plan(), QRectF(view.rect()), view.font());
    return view.ToolTipAt({g.XAt(seconds), g.bars.top() + (row + 0.5) * g.rowHeight});
  }
};

TEST_F(PlanPane, ExportsAndFollowsTheGridBeforeAnySave) {
  QTemporaryDir dir;
  QString target;
  Pane().ChooseExportFile = [&] { return target; };
  // Each file is whole in its format; the picture carries the names and the project.
  const std::pair<const char*, std::function<bool(const QByteArray&)>> files[] = {
      {"plan.pdf",
       [](const QByteArray& b) { return b.startsWith("%PDF-") && b.trimmed().endsWith("%%EOF"); }},
      {"plan.PNG", [](const QByteArray& b) { return QImage::fromData(b, "PNG").width() > 600; }},
      {"plan.svg", [](const QByteArray& b) {
         return QSvgRenderer(b).isValid() && b.contains("A1 Kuzey") && b.contains("Devir süresi: 13 sn") &&
                b.contains("Proje: /p/a.prj");
       }}};
  for (const auto& [name, whole] : files) {
    target = dir.filePath(QLatin1String(name));
    Find<QPushButton>("BTN_PlanDisaAktar").click();
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    EXPECT_TRUE(whole(f.readAll())) << name;
    EXPECT_EQ(statuses.takeLast(), QStringLiteral("Sinyal planı kaydedildi: ") + target);
  }
  target = dir.filePath(QStringLiteral("no/such/folder/plan.pdf"));
  Find<QPushButton>("BTN_PlanDisaAktar").click();
  EXPECT_TRUE(statuses.takeLast().startsWith(QStringLiteral("Plan kaydedilemedi: ") + target));
  EXPECT_TRUE(statuses.isEmpty());

  // The plan and its warnings follow the grid before any save.
  EXPECT_EQ(TipAt(0, 5), QStringLiteral("Grup-1 A1 Kuzey: Yeşil, 0-10 sn (adım 1)"));
  SetCell(1, 3, 1);
  TypeDuration(3, QStringLiteral("7"));
  QCoreApplication::processEvents();
  EXPECT_EQ(Plan().cycleSeconds, 20);
  ASSERT_EQ(Plan().rows.size(), 2u);
  EXPECT_EQ(TipAt(1, 1), QStringLiteral("Grup-3 Y1 yaya: Kırmızı, 0-10 sn (adım 1)"));
  EXPECT_EQ(model->PgmGroups[2][1][3], 0) << "the model changes only at the save";

  // Warnings follow the grid too, and a click on one selects its cell.
  EXPECT_EQ(Warning(QStringLiteral("Grup-5")), nullptr);
  SetCell(1, 5, 1);  // group 5: red, then straight to green
  SetCell(2, 5, 4);
  QListWidgetItem* found = Warning(QStringLiteral("Grup-5"));
  ASSERT_NE(found, nullptr);
  Current(1, 0);
  auto& list = *found->listWidget();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(found).center());
  EXPECT_EQ(Grid().currentIndex().column(), 5);
}

}  // namespace
