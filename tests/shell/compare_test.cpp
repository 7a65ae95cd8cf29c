// "Karşılaştır..." lists how another project differs from the work in hand, the
// editor's unsaved changes included; a file that cannot be read is said so.

#include <QListWidget>
#include <QTableView>
#include <algorithm>

#include "program/editors/program_edit.h"
#include "shell_fixture.h"

namespace {

struct Compare : shelltest::MainWindow {
  // What "Karşılaştır..." lists against the project at `path`; the list's window closed again.
  QStringList ComparedWith(const QString& path) {
    dialog->answers = {path};
    Act("Menu1_Karsilastir").trigger();
    QStringList texts;
    auto* list = window->findChild<QListWidget*>(QStringLiteral("LST_Farklar"));
    for (int i = 0; list && i < list->count(); ++i) texts << list->item(i)->text();
    if (list) list->window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return texts;
  }
};

TEST_F(Compare, ListsTheDifferencesOrSaysThereAreNone) {
  const QString mine = Project("a.prj");
  Open(mine);
  EXPECT_EQ(ComparedWith(mine), QStringList{QStringLiteral("Fark yok")});
  EXPECT_EQ(Status(), QStringLiteral("Fark yok: ") + mine);

  auto image = std::make_unique<program::ProgramImage>(state->image);
  (*image)[0x0085] ^= 1;
  const QString other = dir.filePath(QStringLiteral("b.prj"));
  ASSERT_TRUE(persist::ProjectSave(other.toStdString(), *image).ok);
  const QStringList listed = ComparedWith(other);
  ASSERT_EQ(listed.size(), 1);
  EXPECT_TRUE(listed[0].startsWith(QStringLiteral("PR02: "))) << listed[0].toStdString();

  // An edit not yet stored counts: it is the work in hand.
  auto* editor = qobject_cast<program::editors::Program_EDIT*>(window->ChildWidget(shell::Child::Editor));
  ASSERT_NE(editor, nullptr);
  auto* grid = editor->findChild<QTableView*>(QStringLiteral("MSFlexGrid1"));
  grid->setCurrentIndex(grid->model()->index(0, 1));
  editor->SetCellPicture(12);
  const QStringList edited = ComparedWith(mine);
  EXPECT_TRUE(std::any_of(edited.begin(), edited.end(), [](const QString& line) {
    return line.startsWith(QStringLiteral("Program1 adım 1 Grup-1: Yeşil Flas -> "));
  })) << edited.join(QLatin1Char('\n')).toStdString();

  EXPECT_TRUE(ComparedWith(dir.filePath(QStringLiteral("none.prj"))).isEmpty());
  EXPECT_TRUE(Status().contains(QStringLiteral("none.prj"))) << Status().toStdString();
}

}  // namespace
