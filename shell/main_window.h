#pragma once
// MDIForm1, the main window: menu, toolbar, status bar and the child windows, the
// start-up and exit order and the file commands. Its methods live in one file per
// job: main_window_menus, _children, _start, _files, _status and _exit.

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

#include "link/trend_recorder.h"
#include "shell/app_state.h"
#include "shell/command_line.h"
#include "shell/project_commands.h"
#include "shell/project_dialog.h"
#include "shell/unsaved_question.h"
#include "shell/window_geometry.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace monitor {
class BusRecording;
class Frm_T_24VOC;
}  // namespace monitor
namespace program::editors {
class Program_EDIT;
}

namespace shell {

// The windows with a toolbar toggle, then those reached from the output cards window.
enum class Child { Comm, Cards, Editor, Buffer, Registers, Lamps, BusMonitor, Trends };

class MDIForm1 : public QMainWindow {
  Q_OBJECT
 public:
  // A null dialog means the real file dialog.
  MDIForm1(AppState& state, ShellOptions options, std::unique_ptr<ProjectDialog> dialog = {},
           QWidget* parent = nullptr);
  ~MDIForm1() override;

  // The window's load: tables, settings, the communication window, then the
  // command-line wishes (project, link on).
  void Start();
  // Shows the window where it stood last time (or fitted to the screen).
  void ShowPlaced();
  // The 500 ms status timer.
  void StatusUpdate();

  // Shows or unloads a child window, as its toolbar toggle does. A window shown without
  // `activate` leaves the keyboard where it was.
  void SetChildShown(Child child, bool shown, bool activate = true);
  QWidget* ChildWidget(Child child) const;
  monitor::Frm_T_24VOC* CommWindow() const;
  // The bus traffic since the link opened, kept whether the bus monitor is open or not.
  monitor::BusRecording& Recording() { return *m_recording; }

  // What a child window is made of; a test puts one on a scripted port here.
  using ChildFactory = std::function<QWidget*()>;
  void SetChildFactory(Child child, ChildFactory make);

  // The toolbar's save: the editor stores its changes first (a test may stand in).
  std::function<void()> DegisiklikleriKaydet;

  void ShowStatus(const QString& text);

  // What the junction did since the link first opened, recorded whether or not the
  // trends window is open.
  const bus::TrendRecorder& Trends() const { return m_trends; }

  // The question before an action that would drop unsaved work; a box unless a test
  // puts its own answer in.
  void SetUnsavedQuestion(std::unique_ptr<UnsavedQuestion> question);
  // The editor holds changes it has not stored, or the image holds work the project
  // file lacks (a store, an upload). The caption shows it with a "*".
  bool ProjectModified() const;
  // A whole memory has come up from the controller: the editor's tables are refilled
  // from it and the editor, if open, shows the controller's programs.
  void OnUploadCompleted();
  // SIGTERM, SIGINT, SIGHUP: nothing is asked; unsaved work goes into a recovery copy
  // beside the project, a download under way is stopped, and the program closes as
  // by "Çıkış".
  void CloseFromSignal();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct ChildSlot {
    QAction* toggle = nullptr;
    QPointer<QMdiSubWindow> window;
    ChildFactory make;
  };

  // Menus and toolbar.
  void BuildMenu();
  void BuildToolbar();
  void FillWindowMenu();

  // The registry of child windows.
  void RegisterViews();
  // Where the bus lines come from, for a capture's header.
  QString CapturePortName() const;
  program::editors::Program_EDIT* Editor() const;
  // Unloads the editor once its work has been dealt with, asking nothing more.
  void UnloadEditor();

  // File commands.
  void OpenProjectAsked();
  void NewProjectAsked();
  // "Karşılaştır...": lists how another project file differs from the work in hand.
  void CompareAsked();
  void Apply(const CommandOutcome& outcome);
  // Before an action that would drop unsaved work: asks when there is any and saves
  // when told to. True when the action may go on.
  bool ResolveUnsavedWork();
  bool ResolveWork(bool workAtStake);
  // The toolbar's save, or "Farkli kaydet" while no project is open. True when saved.
  bool SaveAllWork();
  // A save of the image alone: the status line says when the editor's changes were
  // left out of it.
  void ApplyImageSave(CommandOutcome outcome);
  // The work the program holds (the editor's changes stored over the image) beside
  // the project; the message for the status line.
  QString WriteRecoveryCopy();

  // The status bar and what the link tells the main window.
  void BuildStatusBar();
  void WatchTransfers();

  // Leaving.
  bool ConfirmLinkStop();

  ChildSlot& Slot(Child c) { return m_children[static_cast<std::size_t>(c)]; }
  const ChildSlot& Slot(Child c) const { return m_children[static_cast<std::size_t>(c)]; }

  AppState& m_state;
  bus::TrendRecorder m_trends{m_state.events, m_state.regs, m_state.clock};
  ShellOptions m_options;
  std::unique_ptr<ProjectDialog> m_dialog;
  ProjectCommands m_commands;
  std::unique_ptr<UnsavedQuestion> m_question;
  WindowGeometry m_geometry;
  bool m_closingBySignal = false;
  bool m_editorWorkResolved = false;
  std::unique_ptr<monitor::BusRecording> m_recording;
  QMdiArea* m_mdi = nullptr;
  QTimer m_timer1;
  std::array<ChildSlot, 8> m_children;
  QAction* m_open = nullptr;
  QAction* m_new = nullptr;
  QAction* m_save = nullptr;
  QAction* m_saveAs = nullptr;
  QMenu* m_windowMenu = nullptr;
  QLabel* m_panel1 = nullptr;
  QLabel* m_panel2 = nullptr;
  QLabel* m_panel3 = nullptr;
  QLabel* m_downloadWarning = nullptr;
  bus::LinkEvents::Subscription m_transfers;
};

}  // namespace shell
