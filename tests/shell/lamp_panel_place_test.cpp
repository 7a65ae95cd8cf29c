// The lamp panel a simulation opens stands beside the editor and never takes the
// keyboard from it.

#include <QMdiArea>
#include <QMdiSubWindow>

#include "program/editors/program_edit.h"
#include "shell_fixture.h"

namespace {

using LampPanelPlace = shelltest::MainWindow;

TEST_F(LampPanelPlace, BesideTheEditorAndNeverActive) {
  window->resize(1600, 1000);
  window->show();
  Open(Project("s.prj"));
  auto* editor = qobject_cast<program::editors::Program_EDIT*>(window->ChildWidget(shell::Child::Editor));
  ASSERT_NE(editor, nullptr);
  QMdiSubWindow* editorSub = qobject_cast<QMdiSubWindow*>(editor->parentWidget());
  ASSERT_NE(editorSub, nullptr);
  editorSub->setGeometry(10, 20, 700, 500);
  auto* area = window->findChild<QMdiArea*>();
  std::vector<QMdiSubWindow*> activated;
  const QMetaObject::Connection watch = QObject::connect(area, &QMdiArea::subWindowActivated,
                                                         [&](QMdiSubWindow* w) { activated.push_back(w); });

  editor->SimulasyonClick();
  editor->Timer1Tick();  // shows the panel, and hands the keyboard back at once
  EXPECT_EQ(area->activeSubWindow(), editorSub);
  activated.clear();
  for (int tick = 0; tick < 6; ++tick) {
    editor->Timer1Tick();
    QApplication::processEvents();
  }
  QWidget* lamps = window->ChildWidget(shell::Child::Lamps);
  ASSERT_NE(lamps, nullptr) << "the simulation shows the panel";
  QWidget* lampsSub = lamps->parentWidget();
  EXPECT_EQ(lampsSub->y(), editorSub->y());
  EXPECT_EQ(lampsSub->x(), editorSub->geometry().right() + 1);
  EXPECT_EQ(area->activeSubWindow(), editorSub);
  EXPECT_TRUE(activated.empty()) << "the ticks raise nothing";
  QObject::disconnect(watch);

  // A narrow screen: the panel moves in rather than off it.
  editor->SimulasyonClick();
  editor->Timer1Tick();
  EXPECT_EQ(window->ChildWidget(shell::Child::Lamps), nullptr) << "the simulation's panel goes with it";
  editorSub->setGeometry(area->viewport()->width() - 300, 0, 300, 400);
  editor->SimulasyonClick();
  editor->Timer1Tick();
  ASSERT_NE(window->ChildWidget(shell::Child::Lamps), nullptr);
  EXPECT_LE(window->ChildWidget(shell::Child::Lamps)->parentWidget()->geometry().right(),
            area->viewport()->width());
  editor->SimulasyonClick();
  editor->Timer1Tick();
}

}  // namespace
