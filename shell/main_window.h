#pragma once
// MDIForm1, the main window: menu, toolbar, status bar and the child windows, the
// start-up and exit order and the file commands.

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

#include "shell/app_state.h"
#include "shell/command_line.h"
#include "shell/project_commands.h"
#include "shell/project_dialog.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace monitor {
class Frm_T_24VOC;
}

namespace shell {

// The windows with a toolbar toggle, then those reached from the output cards window.
enum class Child { Comm, Cards, Editor, Buffer, Registers, Lamps };

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
  // The 500 ms status timer.
  void StatusUpdate();

  // Shows or unloads a child window, as its toolbar toggle does.
  void SetChildShown(Child child, bool shown);
  QWidget* ChildWidget(Child child) const;
  monitor::Frm_T_24VOC* CommWindow() const;

  // What a child window is made of; the views of later windows register here.
  using ChildFactory = std::function<QWidget*()>;
  void SetChildFactory(Child child, ChildFactory make);

  // The toolbar's save: the editor stores its changes first (a test may stand in).
  std::function<void()> DegisiklikleriKaydet;

  void ShowStatus(const QString& text);
  // Closing on a signal: nothing is asked, a download under way is abandoned.
  void CloseWithoutQuestions();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct ChildSlot {
    QAction* toggle = nullptr;
    QPointer<QMdiSubWindow> window;
    ChildFactory make;
  };

  void BuildMenu();
  void BuildToolbar();
  void Apply(const CommandOutcome& outcome);
  void FillWindowMenu();
  void RegisterViews();
  void WatchDownloads();
  bool ConfirmLinkStop();
  ChildSlot& Slot(Child c) { return m_children[static_cast<std::size_t>(c)]; }
  const ChildSlot& Slot(Child c) const { return m_children[static_cast<std::size_t>(c)]; }

  AppState& m_state;
  ShellOptions m_options;
  std::unique_ptr<ProjectDialog> m_dialog;
  ProjectCommands m_commands;
  QMdiArea* m_mdi = nullptr;
  QTimer m_timer1;
  std::array<ChildSlot, 6> m_children;
  QAction* m_open = nullptr;
  QAction* m_new = nullptr;
  QAction* m_save = nullptr;
  QAction* m_saveAs = nullptr;
  QMenu* m_windowMenu = nullptr;
  QLabel* m_panel1 = nullptr;
  QLabel* m_panel2 = nullptr;
  QLabel* m_panel3 = nullptr;
  QLabel* m_downloadWarning = nullptr;
  bus::LinkEvents::Subscription m_downloads;
};

}  // namespace shell
