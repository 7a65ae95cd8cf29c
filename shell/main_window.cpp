#include "shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <iostream>

#include "monitor/buffer_window.h"
#include "monitor/comm_window.h"
#include "monitor/lamp_panel.h"
#include "monitor/output_cards_window.h"
#include "monitor/registers_panel.h"
#include "persist/path_text.h"
#include "persist/recovery_copy.h"
#include "persist/settings_file.h"
#include "program/editors/program_edit.h"
#include "program/image_work.h"
#include "program/program_image_codec.h"
#include "program/step_packing.h"
#include "shell/help_windows.h"
#include "shell/toolbar_icons.h"

namespace shell {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::unique_ptr<ProjectDialog> RealDialog(QWidget* parent, const AppState& state) {
  const QString folder = Q(persist::PathToUtf8(state.paths.settingsFile.parent_path()));
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
      m_question(std::make_unique<UnsavedQuestionBox>(this)) {
  setObjectName(QStringLiteral("MDIForm1"));
  setWindowTitle(QStringLiteral("KX7140"));
  resize(1280, 860);

  m_mdi = new QMdiArea(this);
  m_mdi->setObjectName(QStringLiteral("MdiArea"));
  setCentralWidget(m_mdi);

  BuildMenu();
  BuildToolbar();

  auto* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("StatusBar1"));
  setStatusBar(bar);
  m_panel1 = new QLabel(bar);
  m_panel1->setObjectName(QStringLiteral("StatusPanel1"));
  m_panel2 = new QLabel(bar);
  m_panel2->setObjectName(QStringLiteral("StatusPanel2"));
  m_panel3 = new QLabel(bar);
  m_panel3->setObjectName(QStringLiteral("StatusPanel3"));
  bar->addWidget(m_panel1, 1);
  bar->addPermanentWidget(m_panel2);
  bar->addPermanentWidget(m_panel3);
  if (m_options.demo) m_panel2->setText(QStringLiteral("Demo: benzetilmiş kontrolör ") + m_options.portDevice);

  RegisterViews();
  WatchTransfers();

  m_timer1.setInterval(500);
  connect(&m_timer1, &QTimer::timeout, this, &MDIForm1::StatusUpdate);
}

MDIForm1::~MDIForm1() {
  m_timer1.stop();
  // Child windows go before the tables they look at.
  for (ChildSlot& s : m_children) delete s.window.data();
}

void MDIForm1::BuildMenu() {
  QMenuBar* bar = menuBar();
  auto item = [this](QMenu* menu, const char* name, const QString& caption, auto&& action) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, action);
    return a;
  };
  QMenu* file = bar->addMenu(QStringLiteral("File"));
  file->setObjectName(QStringLiteral("Menu1_File"));
  item(file, "Menu1_Open", QStringLiteral("Aç"), [this] {
    if (ResolveUnsavedWork()) Apply(m_commands.ProjectOpen());
  });
  item(file, "Menu1_Yeni", QStringLiteral("Yeni"), [this] {
    if (ResolveUnsavedWork()) Apply(m_commands.ProjectNew());
  });
  // The menu's save stores the image as it is, without the editor's pending changes.
  item(file, "Menu1_Kaydet", QStringLiteral("Kaydet"), [this] { ApplyImageSave(m_commands.ProjectSave()); });
  item(file, "Menu1_FarkliKaydet", QStringLiteral("Farkli kaydet"),
       [this] { ApplyImageSave(m_commands.ProjectSaveAs()); });
  file->addSeparator()->setObjectName(QStringLiteral("Menu1_Sep1"));
  item(file, "Menu1_Cikis", QStringLiteral("Çıkış"), [this] { close(); });

  QMenu* settings = bar->addMenu(QStringLiteral("Ayarlar"));
  settings->setObjectName(QStringLiteral("Menu2"));
  item(settings, "Setting_PortName", QStringLiteral("İletisim"), [this] { SetChildShown(Child::Buffer, true); });

  m_windowMenu = bar->addMenu(QStringLiteral("Pencere"));
  m_windowMenu->setObjectName(QStringLiteral("Menu8"));
  connect(m_windowMenu, &QMenu::aboutToShow, this, &MDIForm1::FillWindowMenu);

  QMenu* help = bar->addMenu(QStringLiteral("Yardım"));
  help->setObjectName(QStringLiteral("Menu9_Yard"));
  // One window of each, brought to the front when asked again.
  const auto showOnce = [this](const QString& name, const std::function<QWidget*()>& make) {
    QWidget* w = findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    if (!w) w = make();
    w->show();
    w->raise();
    w->activateWindow();
  };
  item(help, "Menu9_Kilavuz", QStringLiteral("Kullanım Kılavuzu"), [this, showOnce] {
    showOnce(QStringLiteral("KullanimKilavuzu"), [this] { return MakeUserGuideWindow(this); });
  });
  item(help, "Menu9_Hakkinda", QStringLiteral("Hakkında"), [this, showOnce] {
    const QString settings = Q(persist::PathToUtf8(m_state.paths.settingsFile));
    showOnce(QStringLiteral("Hakkinda"), [this, settings] { return MakeAboutWindow(settings, this); });
  });
}

void MDIForm1::FillWindowMenu() {
  m_windowMenu->clear();
  QMdiSubWindow* active = m_mdi->activeSubWindow();
  for (QMdiSubWindow* w : m_mdi->subWindowList()) {
    QAction* a = m_windowMenu->addAction(w->windowTitle());
    a->setCheckable(true);
    a->setChecked(w == active);
    connect(a, &QAction::triggered, this, [this, w = QPointer<QMdiSubWindow>(w)] {
      if (w) m_mdi->setActiveSubWindow(w);
    });
  }
}

void MDIForm1::BuildToolbar() {
  auto* tb = new QToolBar(this);
  tb->setObjectName(QStringLiteral("Toolbar1"));
  tb->setMovable(false);
  tb->setIconSize(QSize(28, 28));
  addToolBar(tb);
  auto button = [&](const char* key, ToolIcon icon, const QString& tip) {
    QAction* a = tb->addAction(MakeToolIcon(icon, *style()), QString());
    a->setObjectName(QString::fromLatin1(key));
    a->setToolTip(tip);
    return a;
  };
  m_open = button("Open", ToolIcon::Open, QStringLiteral("Aç"));
  m_new = button("New", ToolIcon::New, QStringLiteral("Yeni"));
  m_save = button("Save", ToolIcon::Save, QStringLiteral("Kaydet"));
  m_saveAs = button("SaveAs", ToolIcon::SaveAs, QStringLiteral("Farkli kaydet"));
  tb->addSeparator();
  connect(m_open, &QAction::triggered, this, [this] {
    if (ResolveUnsavedWork()) Apply(m_commands.ProjectOpen());
  });
  connect(m_new, &QAction::triggered, this, [this] {
    if (ResolveUnsavedWork()) Apply(m_commands.ProjectNew());
  });
  connect(m_save, &QAction::triggered, this, [this] { SaveAllWork(); });
  connect(m_saveAs, &QAction::triggered, this, [this] { ApplyImageSave(m_commands.ProjectSaveAs()); });

  const struct {
    Child child;
    const char* key;
    ToolIcon icon;
    const char* tip;
  } toggles[] = {{Child::Cards, "Lamp_Panel", ToolIcon::Lamps, "Çıkış Kartları"},
                 {Child::Comm, "Comm_Panel", ToolIcon::Comm, "İletişim"},
                 {Child::Editor, "Edit_Panel", ToolIcon::Editor, "Program Editörü"},
                 {Child::Buffer, "Buffer_Panel", ToolIcon::Buffer, "Hafıza"}};
  for (const auto& t : toggles) {
    QAction* a = button(t.key, t.icon, QString::fromUtf8(t.tip));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, c = t.child](bool pressed) { SetChildShown(c, pressed); });
    Slot(t.child).toggle = a;
  }
}

void MDIForm1::RegisterViews() {
  Slot(Child::Comm).make = [this]() -> QWidget* {
    auto* w = new monitor::Frm_T_24VOC(m_state.clock, m_state, m_options.portDevice);
    connect(w, &monitor::Frm_T_24VOC::statusMessage, this, &MDIForm1::ShowStatus);
    // The views of the live card words go with the link that feeds them.
    connect(w, &monitor::Frm_T_24VOC::unloaded, this, [this] {
      SetChildShown(Child::Lamps, false);
      SetChildShown(Child::Registers, false);
    });
    return w;
  };
  Slot(Child::Cards).make = [this]() -> QWidget* {
    auto* w = new monitor::CikisKartlari(m_state);
    connect(w, &monitor::CikisKartlari::registersRequested, this, [this] { SetChildShown(Child::Registers, true); });
    connect(w, &monitor::CikisKartlari::lampsRequested, this, [this] { SetChildShown(Child::Lamps, true); });
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
    auto* w = new program::editors::Program_EDIT(m_state.model, m_state.image, m_state.flags, Q(m_state.ProjectPath));
    w->LampPanel = [this](bool show) -> monitor::Lamp_panel* {
      if (show) SetChildShown(Child::Lamps, true);
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
}

void MDIForm1::WatchTransfers() {
  // An abandoned program download leaves the controller half-programmed; the warning
  // stays in the status bar, whichever windows are open, until a download completes.
  m_downloadWarning = new QLabel(statusBar());
  m_downloadWarning->setObjectName(QStringLiteral("DownloadWarning"));
  m_downloadWarning->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
  statusBar()->addPermanentWidget(m_downloadWarning);
  m_transfers = m_state.events.Listen([this](const bus::LinkEvent& e) {
    const auto* ended = std::get_if<bus::TransferEnded>(&e);
    if (ended && ended->kind == bus::TransferKind::ProgramDownload) {
      m_downloadWarning->setText(
          ended->completed ? QString() : Q(bus::InterruptedDownloadText(ended->blocksDone, ended->blocksTotal)));
    } else if (ended && ended->kind == bus::TransferKind::Upload && ended->completed) {
      // The editor is rebuilt from the image; not inside the link's receive event.
      QMetaObject::invokeMethod(this, &MDIForm1::OnUploadCompleted, Qt::QueuedConnection);
    }
  });
}

bool MDIForm1::ConfirmLinkStop() {
  monitor::Frm_T_24VOC* comm = CommWindow();
  return comm == nullptr || comm->ConfirmStop();
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

void MDIForm1::SetChildShown(Child child, bool shown) {
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
  if (!s.window) {
    // A window that is not built yet has nothing to show; the toggle says so.
    QWidget* w = s.make ? s.make() : nullptr;
    if (!w) {
      if (s.toggle) s.toggle->setChecked(false);
      return;
    }
    QMdiSubWindow* sub = m_mdi->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(w->windowTitle());
    s.window = sub;
    connect(sub, &QObject::destroyed, this, [this, child] {
      ChildSlot& gone = Slot(child);
      if (gone.toggle) gone.toggle->setChecked(false);
    });
  }
  s.window->show();
  s.window->raise();
  m_mdi->setActiveSubWindow(s.window);
  if (s.toggle) s.toggle->setChecked(true);
}

void MDIForm1::Start() {
  // The output cards are refreshed by the decoder only after this.
  for (auto& record : m_state.model.PgmSteps) {
    for (std::size_t step = 0; step < 100; ++step) std::fill(record[step].begin(), record[step].begin() + 33, 0);
  }
  m_state.flags.TablesReady = true;

  const persist::LoadedSettings loaded = persist::LoadSettings(m_state.paths);
  m_state.shared.PortNumber = loaded.PortNumber;
  setWindowTitle(Q(loaded.Caption));
  m_state.ProjectPath.clear();
  if (!loaded.message.empty()) ShowStatus(Q(loaded.message));
  // Work a signal saved from the last run is worth more than any other news.
  const std::string fallback = persist::PathToUtf8(m_state.paths.defaultProject);
  if (const auto recovery = persist::FindRecoveryCopy({loaded.LastProject, fallback})) {
    ShowStatus(QStringLiteral("Önceki çalışmanın kurtarma kopyası: ") + Q(*recovery));
  }

  SetChildShown(Child::Comm, true);

  if (!m_options.projectFile.isEmpty()) {
    // As if opened with "Aç": the editor shows it.
    Apply(m_commands.OpenProject(m_options.projectFile));
  }
  if (m_options.online) {
    if (monitor::Frm_T_24VOC* comm = CommWindow()) comm->cmd_RUN_Click();
  }
  m_timer1.start();
}

void MDIForm1::StatusUpdate() {
  if (QAction* cards = Slot(Child::Cards).toggle) cards->setChecked(m_state.flags.CardsViewOpen);
  const bool open = ProjectIsOpen(m_state);
  m_new->setEnabled(true);
  for (QAction* a : {m_save, m_saveAs, Slot(Child::Cards).toggle, Slot(Child::Comm).toggle, Slot(Child::Editor).toggle}) {
    a->setEnabled(open);
  }
  QString caption = open ? Q(m_state.ProjectPath) : QStringLiteral("KX7140");
  if (ProjectModified()) caption += QLatin1Char('*');
  if (windowTitle() != caption) setWindowTitle(caption);
  m_panel3->setText(Q(m_state.clock.FormatDateTime(m_state.clock.Now())));
}

void MDIForm1::Apply(const CommandOutcome& outcome) {
  if (!outcome.message.isEmpty()) ShowStatus(outcome.message);
  if (outcome.reopenEditor) {
    // The editor shows the tables of the project now in memory, from "Program1".
    UnloadEditor();
    SetChildShown(Child::Editor, true);
    if (program::editors::Program_EDIT* editor = Editor()) {
      editor->SelectRecord(2);
      Slot(Child::Editor).window->setWindowTitle(Q(m_state.ProjectPath));
    }
  }
  StatusUpdate();
}

void MDIForm1::ShowStatus(const QString& text) { m_panel1->setText(text); }

void MDIForm1::SetUnsavedQuestion(std::unique_ptr<UnsavedQuestion> question) { m_question = std::move(question); }

bool MDIForm1::ProjectModified() const {
  if (program::WorkDiffers(m_state.image, m_state.fileImage)) return true;
  const program::editors::Program_EDIT* editor = Editor();
  return editor && editor->HasUnstoredChanges();
}

bool MDIForm1::ResolveUnsavedWork() { return ResolveWork(ProjectModified()); }

bool MDIForm1::ResolveWork(bool workAtStake) {
  if (!workAtStake) return true;
  switch (m_question->Ask()) {
    case UnsavedQuestion::Answer::Save: return SaveAllWork();
    case UnsavedQuestion::Answer::Discard: return true;
    case UnsavedQuestion::Answer::Cancel: return false;
  }
  return false;
}

bool MDIForm1::SaveAllWork() {
  if (DegisiklikleriKaydet) DegisiklikleriKaydet();
  const CommandOutcome saved = m_state.ProjectPath.empty() ? m_commands.ProjectSaveAs() : m_commands.ProjectSave();
  Apply(saved);
  return saved.done;
}

void MDIForm1::ApplyImageSave(CommandOutcome outcome) {
  const program::editors::Program_EDIT* editor = Editor();
  if (outcome.done && editor && editor->HasUnstoredChanges()) {
    outcome.message += QStringLiteral(" (düzenleyicide saklanmamış değişiklikler dahil değil)");
  }
  Apply(outcome);
}

QString MDIForm1::WriteRecoveryCopy() {
  auto work = std::make_unique<program::ProgramImage>(m_state.image);
  if (const program::editors::Program_EDIT* editor = Editor()) editor->PendingImage(*work);
  const persist::IoResult r =
      persist::WriteRecoveryCopy(m_state.ProjectPath, persist::PathToUtf8(m_state.paths.defaultProject), *work);
  return Q(r.message);
}

void MDIForm1::OnUploadCompleted() {
  // The editor's unstored changes would go with the tables refilled below.
  QString rescued;
  if (program::editors::Program_EDIT* editor = Editor(); editor && editor->HasUnstoredChanges()) {
    rescued = QStringLiteral("; düzenleyicideki değişiklikler: ") + WriteRecoveryCopy();
  }
  program::UnpackProgramImage(m_state.image, m_state.model);
  program::ExpandSteps(m_state.model);
  Apply({true, Editor() != nullptr,
         QStringLiteral("Proje kontrolörün hafızasını içeriyor, henüz kaydedilmedi") + rescued});
}

void MDIForm1::UnloadEditor() {
  m_editorWorkResolved = true;
  SetChildShown(Child::Editor, false);
  m_editorWorkResolved = false;
}

void MDIForm1::CloseFromSignal() {
  m_closingBySignal = true;
  if (monitor::Frm_T_24VOC* comm = CommWindow()) comm->Link().Stop();
  if (ProjectModified()) {
    const QString written = WriteRecoveryCopy();
    ShowStatus(written);
    std::cerr << "kx7140: " << written.toStdString() << "\n";
  }
  close();
}

void MDIForm1::closeEvent(QCloseEvent* event) {
  if (!m_closingBySignal && (!ResolveUnsavedWork() || !ConfirmLinkStop())) {
    event->ignore();
    return;
  }
  // Children first (the communication window closes its port), then the settings.
  UnloadEditor();
  for (Child c : {Child::Lamps, Child::Registers, Child::Cards, Child::Buffer, Child::Comm}) SetChildShown(c, false);
  const persist::IoResult saved = persist::SaveSettings(m_state.paths, m_state.ProjectPath, m_state.shared.PortNumber);
  if (!saved.ok) std::cerr << "kx7140: " << saved.message << "\n";
  event->accept();
}

}  // namespace shell
