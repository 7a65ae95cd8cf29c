// The main window as the engineer meets it: start-up, the file commands through a
// scripted dialog, the child-window toggles and the exit.

#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>

#include "monitor/bus_line_model.h"
#include "monitor/bus_monitor_window.h"
#include "monitor/comm_window.h"
#include "shell_fixture.h"
#include "tests/link/fakes.h"
#include "tests/monitor/question_answerer.h"

namespace {

using shelltest::FileText;
using shelltest::MainWindow;

TEST_F(MainWindow, StartUpWithoutAProject) {
  EXPECT_EQ(EnabledTools(), "Open New Buffer_Panel Comm_Panel ");
  EXPECT_EQ(state->shared.PortNumber, 6) << "from the settings file made at first start";
  EXPECT_TRUE(QFile::exists(dir.filePath("kx7140.ini")));
  EXPECT_TRUE(state->flags.TablesReady);
  ASSERT_NE(window->CommWindow(), nullptr) << "the communication window opens at start";
  EXPECT_TRUE(Act("Comm_Panel").isChecked());
  EXPECT_FALSE(window->findChild<QLabel*>("StatusPanel3")->text().isEmpty());
  Act("Menu1_Kaydet").trigger();
  EXPECT_FALSE(Status().isEmpty()) << "no project to save: said, nothing written";
  EXPECT_TRUE(state->ProjectPath.empty());
}

TEST_F(MainWindow, OpeningAProjectEnablesItsButtons) {
  const QString path = Project("kavsak.prj");
  Open(path);
  ASSERT_EQ(dialog->asked.size(), 1u);
  EXPECT_EQ(dialog->asked[0].first, shell::ProjectDialog::Kind::Open);
  EXPECT_EQ(dialog->asked[0].second.value_or(""), "Proje Dosyası AC");
  EXPECT_EQ(window->windowTitle(), path);
  EXPECT_EQ(state->image[0x1234], static_cast<std::uint8_t>(0x1234 * 7 + 3));
  EXPECT_EQ(EnabledTools(), "Open New Save SaveAs Lamp_Panel Buffer_Panel Comm_Panel Edit_Panel ");
  QWidget* editor = window->ChildWidget(shell::Child::Editor);
  ASSERT_NE(editor, nullptr) << "the opened project shows in the editor";
  EXPECT_TRUE(Act("Edit_Panel").isChecked());
  EXPECT_EQ(editor->parentWidget()->windowTitle(), path);

  // A cancelled open leaves everything as it was.
  Act("Menu1_Open").trigger();
  EXPECT_EQ(QString::fromStdString(state->ProjectPath), path);
  EXPECT_EQ(window->windowTitle(), path);
}

TEST_F(MainWindow, MenuSaveSkipsTheEditorToolbarSaveDoesNot) {
  Open(Project("a.prj"));
  int editorSaves = 0;
  window->DegisiklikleriKaydet = [&] {
    ++editorSaves;
    state->image[5] = 0xAB;  // what the editor had pending
  };
  state->image[4] = 0xCD;
  Act("Menu1_Kaydet").trigger();
  EXPECT_EQ(editorSaves, 0);
  program::ProgramImage reread{};
  program::EditorModel model;
  ASSERT_TRUE(persist::ProjectLoad(state->ProjectPath, reread, model).ok);
  EXPECT_EQ(reread[4], 0xCD);
  EXPECT_NE(reread[5], 0xAB);

  Act("Save").trigger();
  EXPECT_EQ(editorSaves, 1);
  ASSERT_TRUE(persist::ProjectLoad(state->ProjectPath, reread, model).ok);
  EXPECT_EQ(reread[5], 0xAB);
}

TEST_F(MainWindow, CancelledSaveAsSavesUnderTheCurrentPath) {
  const QString path = Project("b.prj");
  Open(path);
  state->image[0] = 0x42;
  Act("SaveAs").trigger();  // the dialog answers "*.prj"
  EXPECT_FALSE(dialog->asked.back().second.has_value()) << "save-as sets no title of its own";
  EXPECT_EQ(QString::fromStdString(state->ProjectPath), path);
  EXPECT_EQ(FileText(path).substr(0, 8), "P0000:42");
  EXPECT_EQ(FileText(path).size(), 163840u);

  const QString other = dir.filePath("c.prj");
  dialog->answers = {other};
  Act("SaveAs").trigger();
  EXPECT_EQ(QString::fromStdString(state->ProjectPath), other);
  EXPECT_EQ(FileText(other), FileText(path)) << "the image the user has is written under the new name";
}

TEST_F(MainWindow, NewProjectIsAllZeroAndAFailedOneKeepsTheWork) {
  Open(Project("d.prj"));
  const std::uint8_t kept = state->image[0x100];

  dialog->answers = {dir.filePath("missing-folder/new.prj")};
  Act("New").trigger();
  EXPECT_EQ(state->image[0x100], kept) << "a new file that cannot be made wipes nothing";
  EXPECT_EQ(QString::fromStdString(state->ProjectPath), dir.filePath("d.prj"));
  EXPECT_FALSE(Status().isEmpty());

  const QString fresh = dir.filePath("new.prj");
  dialog->answers = {fresh};
  Act("New").trigger();
  EXPECT_EQ(dialog->asked.back().second.value_or(""), "Yeni Proje Dosyası");
  EXPECT_EQ(QString::fromStdString(state->ProjectPath), fresh);
  EXPECT_EQ(state->image[0x100], 0);
  EXPECT_EQ(FileText(fresh).substr(0, 40), "P0000:00000000000000000000000000000000\r\n");
}

TEST_F(MainWindow, TogglesFollowTheirWindows) {
  Open(Project("e.prj"));
  monitor::Frm_T_24VOC* comm = window->CommWindow();
  ASSERT_NE(comm, nullptr);
  comm->findChild<QPushButton*>("cmd_RUN")->click();
  EXPECT_EQ(comm->findChild<QPushButton*>("cmd_RUN")->text(), "OFFLINE");

  Act("Comm_Panel").trigger();  // released: the window and its port go
  EXPECT_FALSE(Act("Comm_Panel").isChecked());
  QApplication::processEvents();
  EXPECT_EQ(window->CommWindow(), nullptr);

  Act("Comm_Panel").trigger();
  ASSERT_NE(window->CommWindow(), nullptr);
  EXPECT_EQ(window->CommWindow()->findChild<QPushButton*>("cmd_RUN")->text(), "ONLINE")
      << "a reopened window starts with the link off";

  // Closing the window itself releases the button.
  window->CommWindow()->parentWidget()->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(Act("Comm_Panel").isChecked());

  // The output cards button follows the flag at each status tick.
  state->flags.CardsViewOpen = true;
  window->StatusUpdate();
  EXPECT_TRUE(Act("Lamp_Panel").isChecked());
  state->flags.CardsViewOpen = false;
  window->StatusUpdate();
  EXPECT_FALSE(Act("Lamp_Panel").isChecked());
}

TEST_F(MainWindow, HelpMenuShowsTheGuideAndWhereTheSettingsAre) {
  Act("Menu9_Kilavuz").trigger();
  Act("Menu9_Kilavuz").trigger();  // brought to the front, not opened twice
  EXPECT_EQ(window->findChildren<QTextBrowser*>("KilavuzMetni").size(), 1);
  const QString guide = window->findChild<QTextBrowser*>("KilavuzMetni")->toPlainText();
  for (const char* part : {"Bağlantı", "Permission denied", "Alarm listesini okumak", "Cihaza Yükle",
                           "Program editörü", "kx7140-sim", "\"Ok..\""}) {
    EXPECT_TRUE(guide.contains(QString::fromUtf8(part))) << part;
  }

  Act("Menu9_Hakkinda").trigger();
  auto* about = window->findChild<QLabel*>("HakkindaMetni");
  ASSERT_NE(about, nullptr);
  const QString text = about->text();
  EXPECT_TRUE(text.contains(QStringLiteral("Qt: ") + qVersion()) &&
              text.contains(dir.filePath("kx7140.ini")) &&
              text.contains(QRegularExpression("Sürüm: \\d+\\.\\d+\\.\\d+\nDerleme: \\S+")))
      << text.toStdString();
}

TEST_F(MainWindow, ExitWritesTheSettings) {
  const QString path = Project("f.prj");
  Open(path);
  state->shared.PortNumber = 3;
  window->close();
  const std::string ini = FileText(dir.filePath("kx7140.ini"));
  EXPECT_NE(ini.find("ProjectName=" + path.toStdString() + "\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("PortName= 3\r\n"), std::string::npos) << ini;
}

// The communication window on a scripted port, the link on.
class ScriptedLink : public MainWindow {
 protected:
  void SetUp() override {
    MainWindow::SetUp();
    window->SetChildShown(shell::Child::Comm, false);
    window->SetChildFactory(shell::Child::Comm, [this]() -> QWidget* {
      auto fake = std::make_unique<kxtest::FakePort>();
      port = fake.get();
      return new monitor::Frm_T_24VOC(std::move(fake), clock, *state);
    });
    window->SetChildShown(shell::Child::Comm, true);
    Link().cmd_RUN();
    Link().Timer1Tick();
  }
  bus::ControllerLink& Link() { return window->CommWindow()->Link(); }
  // A PC turn, then the controller's reply to the frame it brought.
  void Turn(std::vector<int> reply) {
    clock.ms += 30;
    port->Receive(kxtest::PcTurnFrame());
    const int a = state->shared.TransferAddress;
    reply.insert(reply.begin() + 4, {(a >> 8) & 0xFF, a & 0xFF, 0x00, 0x80});
    port->Receive(kxtest::Frame(reply));
  }

  kxtest::FakeClock clock;
  kxtest::FakePort* port = nullptr;
};

TEST_F(ScriptedLink, ACompletedUploadIsHandedToTheEditor) {
  ASSERT_TRUE(Link().PGM_Upload());
  std::vector<int> block = {0x01, 0xCF, 0x00, 0x04};
  block.resize(4 + 128, 0);
  for (int i = 0; i < 512; ++i) Turn(block);
  QApplication::processEvents();
  EXPECT_NE(Status().indexOf(QStringLiteral("henüz kaydedilmedi")), -1) << Status().toStdString();
}

TEST_F(ScriptedLink, TheBusMonitorShowsWhatCameBeforeItWasOpened) {
  port->Receive(kxtest::PcTurnFrame());
  port->Receive(":21CE00\r\n");
  EXPECT_EQ(window->ChildWidget(shell::Child::BusMonitor), nullptr);
  EXPECT_EQ(Act("Setting_HatIzleyici").text(), "Hat İzleyici");
  Act("Setting_HatIzleyici").trigger();
  auto* monitorWindow =
      qobject_cast<monitor::BusMonitorWindow*>(window->ChildWidget(shell::Child::BusMonitor));
  ASSERT_NE(monitorWindow, nullptr);
  EXPECT_EQ(monitorWindow->windowTitle(), "Hat İzleyici");
  monitorWindow->RefreshRows();
  EXPECT_GE(monitorWindow->Model().rowCount(), 3) << "the turn, the frame sent in it and the refused line";
}

// A program download stopped at block 10 of 353.
class DownloadUnderWay : public ScriptedLink {
 protected:
  void SetUp() override {
    ScriptedLink::SetUp();
    Link().PGM_Download(1);
    clock.ms += 30;
    port->Receive(kxtest::PcTurnFrame());  // the download start
    for (int block = 0; block < 10; ++block) Turn({0x01, 0xD0, 0x01, 0x04});
    ASSERT_TRUE(Link().DownloadRunning());
  }
  QString Warning() { return window->findChild<QLabel*>("DownloadWarning")->text(); }
};

TEST_F(DownloadUnderWay, ExitAsksOnceAndAStoppedDownloadStaysInTheStatusBar) {
  {
    kxtest::QuestionAnswerer no("Hayir");
    window->SetChildShown(shell::Child::Comm, false);  // its toolbar button released
    EXPECT_TRUE(Act("Comm_Panel").isChecked()) << "No keeps the window and its download";
    Act("Menu1_Cikis").trigger();
    EXPECT_EQ(no.count, 2);
  }
  ASSERT_NE(window->CommWindow(), nullptr);
  EXPECT_TRUE(window->CommWindow()->Link().DownloadRunning());
  EXPECT_EQ(Warning(), "");

  kxtest::QuestionAnswerer yes("Evet");
  Act("Menu1_Cikis").trigger();
  EXPECT_EQ(yes.count, 1) << "asked once, not again by the closing window";
  EXPECT_EQ(window->CommWindow(), nullptr);
  EXPECT_EQ(Warning(), "Program yüklemesi yarıda kaldı (blok 10 / 353): yüklemeyi yeniden başlatın");
}

TEST_F(DownloadUnderWay, ASignalAsksNothing) {
  kxtest::QuestionAnswerer yes("Evet");
  window->CloseFromSignal();
  EXPECT_EQ(yes.count, 0);
  EXPECT_EQ(window->CommWindow(), nullptr);
  EXPECT_EQ(Warning(), "Program yüklemesi yarıda kaldı (blok 10 / 353): yüklemeyi yeniden başlatın");
}

TEST(ShellOptions, ParsesEveryOptionAndRefusesTheRest) {
  const auto parsed = [](const QStringList& args) {
    shell::ShellOptions o;
    QString error;
    EXPECT_TRUE(shell::ParseShellOptions(args, o, error)) << error.toStdString();
    return o;
  };
  shell::ShellOptions o = parsed({"--port", "/dev/ttyUSB0", "--project=a.prj", "--online"});
  EXPECT_EQ(o.portDevice + " " + o.projectFile, "/dev/ttyUSB0 a.prj");
  EXPECT_TRUE(o.online && !o.demo);
  o = parsed({"--replay", "bus.kxcap", "--speed", "0", "--capture", "again.kxcap"});
  EXPECT_EQ(o.replayFile + " " + o.captureFile, "bus.kxcap again.kxcap");
  EXPECT_EQ(o.replaySpeed, 0.0);
  EXPECT_TRUE(o.online) << "a replay is watched from its first line";
  EXPECT_EQ(parsed({"Kavşak.prj"}).projectFile, "Kavşak.prj") << "what a file manager passes";

  // help and version answer whatever else is wrong, so they work before QApplication.
  QString error;
  o = {};
  EXPECT_FALSE(shell::ParseShellOptions({"-platform", "offscreen", "--version"}, o, error));
  EXPECT_TRUE(o.version);
  EXPECT_TRUE(shell::MayHoldToolkitOptions({"-platform", "offscreen"}));
  EXPECT_FALSE(shell::MayHoldToolkitOptions({"--bogus", "-h"}));
  for (const QStringList& bad :
       {QStringList{"--port"}, QStringList{"--bogus"}, QStringList{"a.prj", "b.prj"},
        QStringList{"--project", "a.prj", "b.prj"}, QStringList{"--port="},
        QStringList{"--demo", "--port", "/dev/x"}, QStringList{"--replay", "a", "--demo"},
        QStringList{"--replay", "a", "--speed", "-1"}, QStringList{"--speed", "2"}}) {
    shell::ShellOptions b;
    error.clear();
    EXPECT_FALSE(shell::ParseShellOptions(bad, b, error)) << bad.join(' ').toStdString();
    EXPECT_FALSE(error.isEmpty());
  }
}

}  // namespace
