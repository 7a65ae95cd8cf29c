// The main window's registry of child windows: what each is made of, and how one is
// shown or unloaded, its toolbar toggle following.

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "monitor/buffer_window.h"
#include "monitor/bus_monitor_window.h"
#include "monitor/bus_recording.h"
#include "monitor/comm_window.h"
#include "monitor/lamp_panel.h"
#include "monitor/output_cards_window.h"
#include "monitor/registers_panel.h"
#include "monitor/trends_window.h"
#include "program/editors/live_plan_view.h"
#include "program/editors/program_edit.h"
#include "qtlink/capture_time.h"
#include "qtlink/replay_port.h"
#include "shell/compare_window.h"
#include "shell/main_window.h"

namespace shell {

// NOLINTNEXTLINE(readability-function-cognitive-complexity): a registry of short makers, read best whole.
void MDIForm1::RegisterViews() {
  Slot(Child::Comm).make = [this]() -> QWidget* {
    monitor::Frm_T_24VOC* w = nullptr;
    if (m_options.replayFile.isEmpty()) {
      w = new monitor::Frm_T_24VOC(m_state.clock, m_state, m_options.portDevice);
    } else {
      // The windows move as the capture says; the program's own frames go nowhere.
      auto port = std::make_unique<qtlink::ReplayPort>(m_options.replayFile, m_options.replaySpeed);
      port->recordedSent = [this](std::string_view frame) { m_recording->Recorder().RecordedSent(frame); };
      m_recording->Recorder().SetReplaying(true);
      // The link's own notes soon cover the end in the communication window.
      port->finished = [this](const std::string& text) { ShowStatus(QString::fromStdString(text)); };
      // The monitor shows the capture's times, and its clock on hover.
      QPointer<qtlink::ReplayPort> played(port.get());
      m_recording->FollowReplay(
          [played] { return played ? played->PlayedMicros() : 0; },
          [played] {
            return played && played->Header() ? qtlink::CaptureStartTime(*played->Header()) : QDateTime();
          });
      w = new monitor::Frm_T_24VOC(std::move(port), m_state.clock, m_state);
    }
    connect(w, &monitor::Frm_T_24VOC::statusMessage, this, &MDIForm1::ShowStatus);
    connect(w, &monitor::Frm_T_24VOC::verifyDifferences, this,
            [this](const std::vector<program::ImageDifference>& differences) {
              const QString project = m_state.ProjectPath.empty()
                                          ? QStringLiteral("(proje yok)")
                                          : QString::fromStdString(m_state.ProjectPath);
              MakeCompareWindow(project, QStringLiteral("Kontrolör"), differences, this)->show();
            });
    w->ProjectName = [this] { return QString::fromStdString(m_state.ProjectPath); };
    connect(w, &monitor::Frm_T_24VOC::busMonitorRequested, this,
            [this] { SetChildShown(Child::BusMonitor, true); });
    // The views of the live card words go with the link that feeds them.
    connect(w, &monitor::Frm_T_24VOC::unloaded, this, [this] {
      SetChildShown(Child::Lamps, false);
      SetChildShown(Child::Registers, false);
    });
    return w;
  };
  Slot(Child::Cards).make = [this]() -> QWidget* {
    auto* w = new monitor::CikisKartlari(m_state);
    connect(w, &monitor::CikisKartlari::registersRequested, this,
            [this] { SetChildShown(Child::Registers, true); });
    connect(w, &monitor::CikisKartlari::lampsRequested, this, [this] { SetChildShown(Child::Lamps, true); });
    connect(w, &monitor::CikisKartlari::trendsRequested, this,
            [this] { SetChildShown(Child::Trends, true); });
    return w;
  };
  Slot(Child::Buffer).make = [this]() -> QWidget* {
    auto* w = new monitor::FRM_Buffer(m_state);
    // "Yükle" reads the project file again, and the editor shows what it read.
    w->ProjectLoad = [this] {
      if (!ResolveUnsavedWork()) return;
      CommandOutcome loaded = m_commands.ProjectLoad();
      loaded.reopenEditor = loaded.done && Editor() != nullptr;
      Apply(loaded);
    };
    return w;
  };
  Slot(Child::Editor).make = [this]() -> QWidget* {
    auto* w = new program::editors::Program_EDIT(m_state.model, m_state.image, m_state.flags,
                                                 QString::fromStdString(m_state.ProjectPath));
    connect(w, &program::editors::Program_EDIT::statusMessage, this, &MDIForm1::ShowStatus);
    w->SetJunction(m_state.junction);
    w->LampPanel = [this](bool show) -> monitor::Lamp_panel* {
      if (show && !ChildWidget(Child::Lamps)) {
        // Beside the editor, its top at the editor's top, and the editor keeps the
        // keyboard.
        SetChildShown(Child::Lamps, true, false);
        QMdiSubWindow* lamps = Slot(Child::Lamps).window;
        QMdiSubWindow* editor = Slot(Child::Editor).window;
        if (lamps && editor) {
          const QRect beside(QPoint(editor->geometry().right() + 1, editor->y()), lamps->size());
          lamps->setGeometry(KeptInside(beside, m_mdi->viewport()->size()));
        }
      }
      return qobject_cast<monitor::Lamp_panel*>(ChildWidget(Child::Lamps));
    };
    w->CloseLampPanel = [this] { SetChildShown(Child::Lamps, false); };
    w->ShowBuffer = [this] { SetChildShown(Child::Buffer, true); };
    // The user closing the editor would drop what it has not stored.
    w->ConfirmClose = [this, w] { return m_editorWorkResolved || ResolveWork(w->HasUnstoredChanges()); };
    return w;
  };
  DegisiklikleriKaydet = [this] {
    if (program::editors::Program_EDIT* editor = Editor()) editor->DegisiklikleriKaydet();
  };
  Slot(Child::Registers).make = [this]() -> QWidget* { return new monitor::Registers_panel(m_state); };
  Slot(Child::Lamps).make = [this]() -> QWidget* { return new monitor::Lamp_panel(m_state); };
  Slot(Child::BusMonitor).make = [this]() -> QWidget* {
    auto* w = new monitor::BusMonitorWindow(*m_recording);
    w->portName = [this] { return CapturePortName(); };
    return w;
  };
  Slot(Child::Trends).make = [this]() -> QWidget* {
    auto* w = new monitor::TrendsWindow(m_trends.Store(), m_state.clock);
    connect(w, &monitor::TrendsWindow::statusMessage, this, &MDIForm1::ShowStatus);
    auto* plan = new program::editors::LivePlanView(m_trends.Store(), m_state.model);
    connect(w, &monitor::TrendsWindow::rangeChanged, plan, &program::editors::LivePlanView::SetRange);
    w->AddView(plan, QStringLiteral("Canlı sinyal planı"));
    return w;
  };
}

QString MDIForm1::CapturePortName() const {
  if (!m_options.replayFile.isEmpty()) return QStringLiteral("kayıt ") + m_options.replayFile;
  if (monitor::Frm_T_24VOC* comm = CommWindow()) {
    const std::string& device = comm->Link().Display().PortDevice;
    if (!device.empty()) return QString::fromStdString(device);
  }
  if (!m_options.portDevice.isEmpty()) return m_options.portDevice;
  return QStringLiteral("Port %1").arg(m_state.shared.PortNumber);
}

void MDIForm1::SetChildFactory(Child child, ChildFactory make) { Slot(child).make = std::move(make); }

QWidget* MDIForm1::ChildWidget(Child child) const {
  const ChildSlot& s = Slot(child);
  return s.window ? s.window->widget() : nullptr;
}

monitor::Frm_T_24VOC* MDIForm1::CommWindow() const {
  return qobject_cast<monitor::Frm_T_24VOC*>(ChildWidget(Child::Comm));
}

program::editors::Program_EDIT* MDIForm1::Editor() const {
  return qobject_cast<program::editors::Program_EDIT*>(ChildWidget(Child::Editor));
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): hiding, building and showing share the toggle.
void MDIForm1::SetChildShown(Child child, bool shown, bool activate) {
  ChildSlot& s = Slot(child);
  if (!shown) {
    if (s.window) {
      // Gone at once, not at the next turn of the event loop: the communication
      // window's port must not poll on after its button was released. A window that
      // refuses (the user chose to keep the editor's changes, or a running download)
      // stays.
      QMdiSubWindow* w = s.window;
      if (!w->close()) {
        if (s.toggle) s.toggle->setChecked(true);
        return;
      }
      delete w;
    }
    if (s.toggle) s.toggle->setChecked(false);
    return;
  }
  QMdiSubWindow* keep = m_mdi->activeSubWindow();
  if (!s.window) {
    // A window that is not built yet has nothing to show; the toggle says so.
    QWidget* w = s.make ? s.make() : nullptr;
    if (!w) {
      if (s.toggle) s.toggle->setChecked(false);
      return;
    }
    // The size the window gave itself, else the size its layout wants.
    const QSize asked =
        (w->testAttribute(Qt::WA_Resized) ? w->size() : w->sizeHint()).expandedTo(w->minimumSizeHint());
    QMdiSubWindow* sub = m_mdi->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(w->windowTitle());
    s.window = sub;
    sub->show();
    m_geometry.PlaceChild(*sub, w->objectName(), asked, m_mdi->viewport()->size());
    connect(sub, &QObject::destroyed, this, [this, child] {
      ChildSlot& gone = Slot(child);
      if (gone.toggle) gone.toggle->setChecked(false);
    });
  }
  if (activate) {
    s.window->show();
    s.window->raise();
    m_mdi->setActiveSubWindow(s.window);
  } else if (keep && keep != s.window) {
    // The work area activates what it shows: the window that had the keyboard gets
    // it back at once.
    s.window->show();
    m_mdi->setActiveSubWindow(keep);
    s.window->raise();  // in sight, above the active window it may overlap
  }
  if (s.toggle) s.toggle->setChecked(true);
}

void MDIForm1::UnloadEditor() {
  m_editorWorkResolved = true;
  SetChildShown(Child::Editor, false);
  m_editorWorkResolved = false;
}

}  // namespace shell
