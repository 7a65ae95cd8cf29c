// The main window as the engineer meets it: start-up, the file commands through a
// scripted dialog, the child-window toggles, the recording of trends and the exit.

#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include "monitor/bus_line_model.h"
#include "monitor/bus_monitor_window.h"
#include "monitor/comm_window.h"
#include "monitor/trends_window.h"
#include "shell_fixture.h"
#include "tests/link/fakes.h"
#include "tests/monitor/question_answerer.h"

namespace {

using shelltest::FileText;
using shelltest::MainWindow;

TEST_F(MainWindow, TheFileCommandsFromStartUpToExit) {
  // The keyboard reaches the file commands, and their tooltips say how.
  for (const char* n : {"Open", "New", "Save", "SaveAs"}) {
    const QString keys = Act(n).shortcut().toString(QKeySequence::NativeText);
    EXPECT_TRUE(!keys.isEmpty() && Act(n).toolTip().contains(keys)) << n;
  }
  EXPECT_EQ(EnabledTools(), "Open New Buffer_Panel Comm_Panel ");
  ASSERT_NE(window->CommWindow(), nullptr) << "the communication window opens at start";
  Act("Menu1_Kaydet").trigger();
  EXPECT_FALSE(Status().isEmpty()) << "no project to save: said, nothing written";
  EXPECT_TRUE(state->ProjectPath.empty());

  const QString path = Project("kavsak.prj");
  Open(path);
  EXPECT_EQ(state->image[0x1234], static_cast<std::uint8_t>(0x1234 * 7 + 3));
  EXPECT_EQ(EnabledTools(), "Open New Save SaveAs Lamp_Panel Buffer_Panel Comm_Panel Edit_Panel ");
  ASSERT_NE(window->ChildWidget(shell::Child::Editor), nullptr) << "the opened project shows in the editor";
  Act("Menu1_Open").trigger();  // the dialog answers "*.prj": cancelled
  EXPECT_EQ(QString::fromStdString(state->ProjectPath), path);

  state->image[0] = 0x42;
  Act("SaveAs").trigger();  // cancelled: saved under the current path
  EXPECT_EQ(QString::fromStdString(state->ProjectPath), path);
  EXPECT_EQ(FileText(path).substr(0, 8), "P0000:42");
  const QString other = dir.filePath("c.prj");
  dialog->answers = {other};
  Act("SaveAs").trigger();
  EXPECT_EQ(QString::fromStdString(state->ProjectPath), other);
  EXPECT_EQ(FileText(other), FileText(path)) << "the image the user has is written under the new name";

  const std::uint8_t kept = state->image[0x100];
  dialog->answers = {dir.filePath("missing-folder/new.prj")};
  Act("New").trigger();
  EXPECT_EQ(state->image[0x100], kept) << "a new file that cannot be made wipes nothing";
  EXPECT_TRUE(QString::fromStdString(state->ProjectPath) == other && !Status().isEmpty());
  const QString fresh = dir.filePath("new.prj");
  dialog->answers = {fresh};
  Act("New").trigger();
  EXPECT_EQ(QString::fromStdString(state->ProjectPath), fresh);
  EXPECT_EQ(state->image[0x100], 0);
  EXPECT_EQ(FileText(fresh).substr(0, 40), "P0000:00000000000000000000000000000000\r\n");

  state->shared.PortNumber = 3;
  window->close();
  const std::string ini = FileText(dir.filePath("kx7140.ini"));
  EXPECT_NE(ini.find("ProjectName=" + fresh.toStdString() + "\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("PortName= 3\r\n"), std::string::npos) << ini;
}

TEST_F(MainWindow, TogglesFollowTheirWindowsAndSurviveADoubleClick) {
  window->SetChildShown(shell::Child::Comm, false);
  emit kxtest::Child<QMenu>(*window, "Menu8").aboutToShow();
  Act("Menu8_Iletisim").trigger();
  ASSERT_NE(window->CommWindow(), nullptr) << "the link window opens again without a project";

  Open(Project("e.prj"));
  const auto shown = [&] { return window->CommWindow()->findChild<QPushButton*>("cmd_RUN")->text(); };
  ASSERT_EQ(Act("LinkKey").shortcut(), QKeySequence(Qt::Key_F5));
  Act("LinkKey").trigger();
  ASSERT_EQ(shown(), "OFFLINE") << "F5 switches the link on";
  Act("Comm_Panel").trigger();  // released: the window and its port go
  QApplication::processEvents();
  EXPECT_EQ(window->CommWindow(), nullptr);
  Act("Comm_Panel").trigger();
  ASSERT_NE(window->CommWindow(), nullptr);
  EXPECT_EQ(shown(), "ONLINE") << "a reopened window starts with the link off";

  window->CommWindow()->parentWidget()->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(Act("Comm_Panel").isChecked()) << "closing the window itself releases the button";

  QWidget* button = window->findChild<QToolBar*>("Toolbar1")->widgetForAction(&Act("Comm_Panel"));
  QTest::mouseClick(button, Qt::LeftButton);  // the double-click's first click
  const QPointer<monitor::Frm_T_24VOC> opened = window->CommWindow();
  // The rest as the window system delivers it.
  QTest::mousePress(button, Qt::LeftButton);
  QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(button->rect().center()),
                    button->mapToGlobal(QPointF(button->rect().center())), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(button, &twice);
  QTest::mouseRelease(button, Qt::LeftButton);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(opened.isNull()) << "the second click neither closed it nor made a new one";
  EXPECT_EQ(window->CommWindow(), opened.data());
  EXPECT_TRUE(Act("Comm_Panel").isChecked());
}

// The junction is recorded from the first PC turn, whether or not the trends window is
// open; the window opens from "Ayarlar" onto that recording.
TEST_F(MainWindow, TurnsAreRecordedWithTheTrendsWindowClosedAndShownWhenItOpens) {
  state->events.Emit(bus::RegistersStored{1});
  for (int i = 0; i < 3; ++i) state->events.Emit(bus::PcTurn{});
  EXPECT_FALSE(window->Trends().Store().Empty());
  EXPECT_EQ(window->ChildWidget(shell::Child::Trends), nullptr);
  Act("Setting_Trends").trigger();
  auto* trends = qobject_cast<monitor::TrendsWindow*>(window->ChildWidget(shell::Child::Trends));
  ASSERT_NE(trends, nullptr);
  EXPECT_EQ(trends->Visible().to, window->Trends().Store().LastMicros()) << "the window shows the recording";
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

  kxtest::FakeClock clock;
  kxtest::FakePort* port = nullptr;
};

TEST_F(ScriptedLink, TheBusMonitorShowsWhatCameBeforeItWasOpened) {
  port->Receive(kxtest::PcTurnFrame());
  port->Receive(":21CE00\r\n");
  Act("Setting_HatIzleyici").trigger();
  auto* monitorWindow =
      qobject_cast<monitor::BusMonitorWindow*>(window->ChildWidget(shell::Child::BusMonitor));
  ASSERT_NE(monitorWindow, nullptr);
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
    port->Receive(kxtest::PcTurnFrame());       // the download start
    for (int block = 0; block < 10; ++block) {  // a PC turn, then the controller's reply to its frame
      clock.ms += 30;
      port->Receive(kxtest::PcTurnFrame());
      const int a = state->shared.TransferAddress;
      port->Receive(kxtest::Frame({0x01, 0xD0, 0x01, 0x04, (a >> 8) & 0xFF, a & 0xFF, 0x00, 0x80}));
    }
    ASSERT_TRUE(Link().DownloadRunning());
  }
  QString Warning() { return kxtest::Child<QLabel>(*window, "DownloadWarning").text(); }
  const QString stopped = "Program yüklemesi yarıda kaldı (blok 10 / 353): yüklemeyi yeniden başlatın";
};

TEST_F(DownloadUnderWay, ExitAsksOnceAndAStoppedDownloadStaysInTheStatusBar) {
  {
    kxtest::QuestionAnswerer no("Hayir");
    window->SetChildShown(shell::Child::Comm, false);  // its toolbar button released
    Act("Menu1_Cikis").trigger();
    EXPECT_EQ(no.count, 2);
  }
  ASSERT_NE(window->CommWindow(), nullptr);
  EXPECT_TRUE(window->CommWindow()->Link().DownloadRunning());
  kxtest::QuestionAnswerer yes("Evet");
  Act("Menu1_Cikis").trigger();
  EXPECT_EQ(yes.count, 1) << "asked once, not again by the closing window";
  EXPECT_TRUE(!window->CommWindow() && Warning() == stopped) << Warning().toStdString();
}

TEST_F(DownloadUnderWay, ASignalAsksNothing) {
  kxtest::QuestionAnswerer yes("Evet");
  window->CloseFromSignal();
  EXPECT_EQ(yes.count, 0);
  EXPECT_TRUE(!window->CommWindow() && Warning() == stopped) << Warning().toStdString();
}

TEST(ShellOptions, ParsesEveryOptionAndRefusesTheRest) {
  shell::ShellOptions o;
  QString error;
  ASSERT_TRUE(shell::ParseShellOptions({"--port", "/dev/ttyUSB0", "--project=a.prj", "--online"}, o, error))
      << error.toStdString();
  EXPECT_EQ(o.portDevice + " " + o.projectFile, "/dev/ttyUSB0 a.prj");
  EXPECT_TRUE(o.online && !o.demo);
  ASSERT_TRUE(shell::ParseShellOptions({"--replay", "a.kxcap", "--speed", "0", "--capture", "b.kxcap"},
                                       o = {}, error));
  EXPECT_EQ(o.replayFile + " " + o.captureFile, "a.kxcap b.kxcap");
  EXPECT_TRUE(o.online && o.replaySpeed == 0.0) << "a replay is watched from its first line";
  ASSERT_TRUE(shell::ParseShellOptions({"Kavşak.prj"}, o = {}, error));
  EXPECT_EQ(o.projectFile, "Kavşak.prj") << "what a file manager passes";

  // help and version answer whatever else is wrong, so they work before QApplication.
  EXPECT_TRUE(!shell::ParseShellOptions({"-platform", "offscreen", "--version"}, o = {}, error) && o.version);
  EXPECT_TRUE(shell::MayHoldToolkitOptions({"-platform", "offscreen"}) &&
              !shell::MayHoldToolkitOptions({"--bogus", "-h"}));
  for (const char* bad :
       {"--port", "--bogus", "a.prj b.prj", "--project a.prj b.prj", "--port=", "--demo --port /dev/x",
        "--replay a --demo", "--replay a --speed -1", "--speed 2"}) {
    error.clear();
    EXPECT_TRUE(!shell::ParseShellOptions(QString(bad).split(' '), o = {}, error) && !error.isEmpty()) << bad;
  }
}

}  // namespace
