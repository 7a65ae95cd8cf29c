// Windows come back where the user left them and never off the screen; the lamp panel
// a simulation opens stands beside the editor without taking the keyboard from it.

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>

#include "program/editors/program_edit.h"
#include "shell/window_geometry.h"
#include "shell_fixture.h"

namespace {

TEST(KeptInside, MovesAndShrinksAsLittleAsNeeded) {
  const QSize area(800, 600);
  const struct {
    QRect wanted, kept;
  } cases[] = {
      {{10, 20, 300, 200}, {10, 20, 300, 200}},      // inside: untouched
      {{700, 500, 300, 200}, {500, 400, 300, 200}},  // past the corner: moved back
      {{-50, -10, 300, 200}, {0, 0, 300, 200}},      // before the origin
      {{100, 100, 1100, 720}, {0, 0, 800, 600}},     // larger than the area
  };
  for (const auto& c : cases) EXPECT_EQ(shell::KeptInside(c.wanted, area), c.kept) << c.wanted.x();
}

TEST(ChildPlace, FirstAtItsOwnSizeThenWhereTheUserLeftItButOnTheScreen) {
  kxtest::EnsureApplication();
  QTemporaryDir dir;
  QMdiArea area;
  area.resize(900, 700);
  area.show();
  const auto open = [&](shell::WindowGeometry& g, QSize asked) {
    QMdiSubWindow* sub = area.addSubWindow(new QWidget);
    sub->show();
    g.PlaceChild(*sub, QStringLiteral("Deneme"), asked, area.viewport()->size());
    return sub;
  };
  const QString file = dir.filePath("pencereler.ini");
  {
    shell::WindowGeometry g(file);
    QMdiSubWindow* sub = open(g, {500, 300});
    EXPECT_EQ(sub->widget()->size(), QSize(500, 300)) << "the size the window asked for";
    sub->setGeometry(40, 30, 420, 260);
  }
  shell::WindowGeometry again(file);
  EXPECT_EQ(open(again, {500, 300})->geometry(), QRect(40, 30, 420, 260));

  area.resize(300, 200);  // a smaller screen next time
  QApplication::processEvents();
  shell::WindowGeometry smaller(file);
  const QRect kept = open(smaller, {500, 300})->geometry();
  EXPECT_TRUE(QRect(QPoint(0, 0), area.viewport()->size()).contains(kept)) << "kept on the screen";
}

using LampPanelPlace = shelltest::MainWindow;

TEST_F(LampPanelPlace, BesideTheEditorAndNeverActive) {
  window->resize(1366, 740);
  window->show();
  Open(Project("f.prj"));
  auto* editor = qobject_cast<program::editors::Program_EDIT*>(window->ChildWidget(shell::Child::Editor));
  ASSERT_NE(editor, nullptr);
  auto* editorSub = qobject_cast<QMdiSubWindow*>(editor->parentWidget());
  editorSub->setGeometry(10, 20, 500, 400);
  auto* area = window->findChild<QMdiArea*>();
  editor->SimulasyonClick();
  editor->Timer1Tick();  // shows the panel, and hands the keyboard back at once
  EXPECT_EQ(area->activeSubWindow(), editorSub);
  QSignalSpy activated(area, &QMdiArea::subWindowActivated);
  for (int tick = 0; tick < 6; ++tick) {
    editor->Timer1Tick();
    QApplication::processEvents();
  }
  QWidget* lamps = window->ChildWidget(shell::Child::Lamps);
  ASSERT_NE(lamps, nullptr) << "the simulation shows the panel";
  EXPECT_EQ(lamps->parentWidget()->pos(), QPoint(editorSub->geometry().right() + 1, editorSub->y()));
  EXPECT_EQ(area->activeSubWindow(), editorSub);
  EXPECT_EQ(activated.count(), 0) << "the ticks raise nothing";
}

}  // namespace
