// The engineer's work through the main window: what an upload leaves to save, when
// the window asks before dropping work and what a signal writes instead of asking.

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>

#include "persist/project_file_format.h"
#include "program/editors/program_edit.h"
#include "program/program_image_codec.h"
#include "shell/demo_project.h"
#include "shell_fixture.h"

namespace {

using shelltest::FileText;
using Answer = shell::UnsavedQuestion::Answer;

struct UnsavedWork : shelltest::MainWindow {
  program::editors::Program_EDIT* Editor() {
    return qobject_cast<program::editors::Program_EDIT*>(window->ChildWidget(shell::Child::Editor));
  }
  QTableView& Grid() { return kxtest::Child<QTableView>(*Editor(), "MSFlexGrid1"); }
  QString FirstStepTime() { return Grid().model()->index(0, 0).data().toString(); }
  // The state EditTheGrid() sets, as the project file at `path` holds it; -1 unreadable.
  static int StoredEdit(const QString& path) {
    program::ProgramImage image{};
    auto model = std::make_unique<program::EditorModel>();
    return persist::ProjectLoad(path.toStdString(), image, *model).ok ? model->PgmGroups[2][1][1] : -1;
  }
  // An edit in the grid, as keys make it: state 3 for group 1 of step 1 (a new project holds 4).
  void EditTheGrid() {
    Grid().setCurrentIndex(Grid().model()->index(0, 1));
    QTest::keyClick(&Grid(), Qt::Key_3);
  }
  QString Path() { return QString::fromStdString(state->ProjectPath); }
};

TEST_F(UnsavedWork, AnUploadSavedRightAwayIsTheControllersMemoryByteForByte) {
  Open(Project("eski.prj"));
  // A memory the editor shows as it is: values in the editor's ranges, noise where it never looks.
  auto model = std::make_unique<program::EditorModel>();
  const int words[] = {3, 0x85, 170, 230, 46, 53, 16, 26, 2, 1};
  std::copy(std::begin(words), std::end(words), model->ParamWords.begin());
  model->PgmNames[2][1] = 'K';
  model->PgmSteps[2][1] = {25, 0x14, 0x4C};
  model->WeekTable[0][0] = 6;
  model->WeekTable[0][2] = 3;
  auto memory = std::make_unique<program::ProgramImage>();
  for (std::size_t a = 0x9800; a < 0xB000; ++a) (*memory)[a] = static_cast<std::uint8_t>(a);
  program::PackProgramImage(*model, *memory);
  state->image = *memory;  // as the upload leaves it, block by block
  state->events.Emit(bus::TransferEnded{bus::TransferKind::Upload, true, 512, 512, 0});
  QApplication::processEvents();
  EXPECT_EQ(FirstStepTime(), "25") << "the editor shows the controller's programs";
  EXPECT_NE(Status().indexOf(QStringLiteral("henüz kaydedilmedi")), -1) << Status().toStdString();
  window->StatusUpdate();
  EXPECT_EQ(window->windowTitle(), Path() + "*");

  Act("Save").trigger();  // stores the editor's (untouched) tables first
  EXPECT_EQ(FileText(dir.filePath("eski.prj")), persist::FormatProjectFile(*memory));

  // "Yükle" in the buffer window reads the file again, and the editor shows it.
  ASSERT_TRUE(persist::ProjectSave(state->ProjectPath, program::ProgramImage{}).ok);
  window->SetChildShown(shell::Child::Buffer, true);
  kxtest::Child<QPushButton>(*window->ChildWidget(shell::Child::Buffer), "Command2").click();
  EXPECT_EQ(FirstStepTime(), "0");
}

// One walk through every way work could go: each rule in its own paragraph.
TEST_F(UnsavedWork, WorkIsAskedAboutOnlyWhenThereIsSomeAndASignalWritesACopy) {
  const QString a = Project("a.prj");
  const QString b = Project("b.prj", 9);
  Open(a);
  const QString shown = FirstStepTime();
  const QString empty = dir.filePath("empty.prj");
  ASSERT_TRUE(QFile(empty).open(QIODevice::WriteOnly));
  Open(empty);  // refused: nothing changes
  EXPECT_FALSE(Status().isEmpty());
  EXPECT_EQ((QStringList{Path(), Editor()->parentWidget()->windowTitle(), FirstStepTime()}),
            (QStringList{a, a, shown}));
  Act("Save").trigger();
  EXPECT_EQ(FileText(empty), "") << "a later save does not write a under the refused name";

  Open(b);
  Act("Edit_Panel").trigger();  // closed and opened again
  Act("Edit_Panel").trigger();
  EXPECT_EQ(question->asked, 0) << "nothing to lose, nothing asked";
  EditTheGrid();
  Act("Menu1_Kaydet").trigger();
  EXPECT_NE(Status().indexOf(QStringLiteral("dahil değil")), -1);
  EXPECT_EQ(StoredEdit(b), 4) << "the menu's save leaves the editor's change out";

  const std::pair<const char*, std::function<void()>> drops[] = {
      {"open", [&] { Open(a); }},
      {"new", [&] { Act("Menu1_Yeni").trigger(); }},
      {"exit", [&] { window->close(); }},
      {"editor button", [&] { Act("Edit_Panel").trigger(); }},
  };
  for (const auto& [name, drop] : drops) {  // İptal keeps the program and its windows open
    SCOPED_TRACE(name);
    const int asked = question->asked;
    drop();
    EXPECT_EQ(std::tuple(question->asked, Path(), Editor() != nullptr), std::tuple(asked + 1, b, true));
  }

  question->answer = Answer::Save;
  Open(a);
  EXPECT_EQ(StoredEdit(b), 3) << "Kaydet stored the edit in b before a was opened";
  EditTheGrid();
  Editor()->parentWidget()->close();  // the window's own close button
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(StoredEdit(a), 3);

  const QString c = Project("c.prj");
  Open(c);
  EditTheGrid();
  Act("Save").trigger();
  EXPECT_EQ(StoredEdit(c), 3) << "the toolbar's save stores the editor's change";

  question->answer = Answer::Discard;
  const QString e = Project("e.prj");
  Open(e);
  EditTheGrid();
  Open(c);
  EXPECT_EQ(Path(), c) << "Kaydetme goes on";
  EXPECT_EQ(StoredEdit(e), 4) << "Kaydetme leaves the file as it was";

  const QString d = Project("d.prj");
  Open(d);
  EditTheGrid();
  const int asked = question->asked;
  window->CloseFromSignal();
  EXPECT_EQ(question->asked, asked);
  const QString copy = d + ".kurtarma";
  EXPECT_EQ(std::pair(StoredEdit(copy), StoredEdit(d)), std::pair(3, 4)) << "the project itself is untouched";
  window.reset();
  SetUp();
  EXPECT_NE(Status().indexOf(copy), -1) << "the next start names the recovery copy";
}

TEST(ProjectDialog, EveryCommandStartsInTheProgramFolderWithTheProjectPattern) {
  kxtest::EnsureApplication();
  QTemporaryDir folder;
  shell::CommonDialog dialog(nullptr, folder.path());
  auto& files = const_cast<QFileDialog&>(dialog.Dialog());
  files.setDirectory(QDir::tempPath());  // where the user went the last time
  files.selectFile(QStringLiteral("last.prj"));
  dialog.Prepare(shell::ProjectDialog::Kind::Save, QStringLiteral("T"));
  EXPECT_EQ(files.directory().absolutePath(), QDir(folder.path()).absolutePath());
  EXPECT_EQ(kxtest::Child<QLineEdit>(files, "fileNameEdit").text(), "*.prj");
  QTimer::singleShot(0, &files, &QDialog::reject);
  dialog.ChooseOnce(shell::ProjectDialog::Kind::Open, QStringLiteral("Karşılaştırılacak Proje"));
  EXPECT_EQ(files.windowTitle(), "T") << "a one-off title does not stay";
}

TEST(DemoProject, EachDemoHasAPrivateFolderThatGoesUnlessItHoldsWork) {
  const program::ProgramImage memory{};
  auto one = std::make_unique<shell::DemoProject>(memory);
  auto two = std::make_unique<shell::DemoProject>(memory);
  ASSERT_FALSE(one->Path().isEmpty());
  const QString folder = QFileInfo(one->Path()).absolutePath();
  const QString twoCopy = two->Path() + ".kurtarma";
  EXPECT_NE(folder, QFileInfo(twoCopy).absolutePath());
  EXPECT_EQ(QFileInfo(folder).permissions() & (QFileDevice::ReadOther | QFileDevice::WriteOther),
            QFileDevice::Permissions());
  ASSERT_TRUE(persist::ProjectSave(twoCopy.toStdString(), memory).ok);
  one.reset();
  two.reset();
  EXPECT_FALSE(QFileInfo::exists(folder));
  EXPECT_TRUE(QFileInfo::exists(twoCopy)) << "a recovery copy outlives the demo";
  QDir(QFileInfo(twoCopy).absolutePath()).removeRecursively();
}

}  // namespace
