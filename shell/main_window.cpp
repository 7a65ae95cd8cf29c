#include "shell/main_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "monitor/bus_recording.h"
#include "persist/path_text.h"

namespace shell {

namespace {

std::unique_ptr<ProjectDialog> RealDialog(QWidget* parent, const AppState& state) {
  const QString folder = QString::fromStdString(persist::PathToUtf8(state.paths.settingsFile.parent_path()));
  return std::make_unique<CommonDialog>(parent, folder);
}

}  // namespace

MDIForm1::MDIForm1(AppState& state, ShellOptions options, std::unique_ptr<ProjectDialog> dialog,
                   QWidget* parent)
    : QMainWindow(parent),
      m_state(state),
      m_options(std::move(options)),
      m_dialog(dialog ? std::move(dialog) : RealDialog(this, state)),
      m_commands(state, *m_dialog),
      m_question(std::make_unique<UnsavedQuestionBox>(this)),
      m_geometry(QString::fromStdString(state.windowGeometryFile)),
      m_recording(std::make_unique<monitor::BusRecording>(state.events)) {
  setObjectName(QStringLiteral("MDIForm1"));
  setWindowTitle(QStringLiteral("KX7140"));
  resize(1280, 860);

  m_mdi = new QMdiArea(this);
  m_mdi->setObjectName(QStringLiteral("MdiArea"));
  setCentralWidget(m_mdi);

  BuildMenu();
  BuildToolbar();
  BuildStatusBar();
  RegisterViews();
  WatchTransfers();
  connect(m_recording.get(), &monitor::BusRecording::statusMessage, this, &MDIForm1::ShowStatus);
}

void MDIForm1::ShowPlaced() { m_geometry.ShowMain(*this); }

MDIForm1::~MDIForm1() {
  m_timer1.stop();
  // Child windows go before the tables they look at.
  for (ChildSlot& s : m_children) delete s.window.data();
}

}  // namespace shell
