// The main window's menu bar and toolbar: what each item and button starts.

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "monitor/comm_window.h"
#include "persist/path_text.h"
#include "shell/help_windows.h"
#include "shell/main_window.h"
#include "shell/toolbar_icons.h"

namespace shell {

namespace {

// A toolbar toggle takes the first click of a double-click only: the second would
// close what the first opened (and drop the link with the communication window).
class SecondClickEater : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonDblClick: m_eating = true; return true;
      case QEvent::MouseButtonPress:
        if (m_lastRelease.isValid() && m_lastRelease.elapsed() < QApplication::doubleClickInterval()) {
          m_eating = true;
          return true;
        }
        return false;
      case QEvent::MouseButtonRelease:
        if (m_eating) {
          m_eating = false;
          return true;
        }
        m_lastRelease.start();
        return false;
      default: return false;
    }
  }

 private:
  QElapsedTimer m_lastRelease;
  bool m_eating = false;
};

}  // namespace

void MDIForm1::BuildMenu() {
  QMenuBar* bar = menuBar();
  auto item = [this](QMenu* menu, const char* name, const QString& caption, auto&& action) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, action);
    return a;
  };
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("Menu1_File"));
  item(file, "Menu1_Open", QStringLiteral("Aç"), [this] { OpenProjectAsked(); });
  item(file, "Menu1_Yeni", QStringLiteral("Yeni"), [this] { NewProjectAsked(); });
  // The menu's save stores the image as it is, without the editor's pending changes.
  item(file, "Menu1_Kaydet", QStringLiteral("Kaydet"), [this] { ApplyImageSave(m_commands.ProjectSave()); });
  item(file, "Menu1_FarkliKaydet", QStringLiteral("Farkli kaydet"),
       [this] { ApplyImageSave(m_commands.ProjectSaveAs()); });
  item(file, "Menu1_Karsilastir", QStringLiteral("Karşılaştır..."), [this] { CompareAsked(); });
  file->addSeparator()->setObjectName(QStringLiteral("Menu1_Sep1"));
  item(file, "Menu1_Cikis", QStringLiteral("Çıkış"), [this] { close(); });

  QMenu* settings = bar->addMenu(QStringLiteral("&Ayarlar"));
  settings->setObjectName(QStringLiteral("Menu2"));
  item(settings, "Setting_PortName", QStringLiteral("İletisim"),
       [this] { SetChildShown(Child::Buffer, true); });
  item(settings, "Setting_HatIzleyici", QStringLiteral("Hat İzleyici"),
       [this] { SetChildShown(Child::BusMonitor, true); });
  item(settings, "Setting_Trends", QStringLiteral("Eğilimler"),
       [this] { SetChildShown(Child::Trends, true); });

  m_windowMenu = bar->addMenu(QStringLiteral("&Pencere"));
  m_windowMenu->setObjectName(QStringLiteral("Menu8"));
  connect(m_windowMenu, &QMenu::aboutToShow, this, &MDIForm1::FillWindowMenu);

  QMenu* help = bar->addMenu(QStringLiteral("Ya&rdım"));
  help->setObjectName(QStringLiteral("Menu9_Yard"));
  // One window of each, brought to the front when asked again.
  const auto showOnce = [this](const QString& name, const std::function<QWidget*()>& make) {
    auto* w = findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    if (!w) w = make();
    w->show();
    w->raise();
    w->activateWindow();
  };
  item(help, "Menu9_Kilavuz", QStringLiteral("Kullanım Kılavuzu"), [this, showOnce] {
    showOnce(QStringLiteral("KullanimKilavuzu"), [this] { return MakeUserGuideWindow(this); });
  });
  item(help, "Menu9_Hakkinda", QStringLiteral("Hakkında"), [this, showOnce] {
    const QString settingsFile = QString::fromStdString(persist::PathToUtf8(m_state.paths.settingsFile));
    showOnce(QStringLiteral("Hakkinda"),
             [this, settingsFile] { return MakeAboutWindow(settingsFile, this); });
  });
}

void MDIForm1::FillWindowMenu() {
  m_windowMenu->clear();
  // The link's window can always be opened again, with or without a project.
  if (!CommWindow()) {
    QAction* comm = m_windowMenu->addAction(QStringLiteral("İletişim"));
    comm->setObjectName(QStringLiteral("Menu8_Iletisim"));
    connect(comm, &QAction::triggered, this, [this] { SetChildShown(Child::Comm, true); });
  }
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
  auto button = [&](const char* key, ToolIcon icon, const QString& tip, const QKeySequence& keys = {}) {
    QAction* a = tb->addAction(MakeToolIcon(icon, *style()), QString());
    a->setObjectName(QString::fromLatin1(key));
    a->setShortcut(keys);
    a->setToolTip(
        keys.isEmpty() ? tip : tip + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + ')');
    return a;
  };
  m_open = button("Open", ToolIcon::Open, QStringLiteral("Aç"), QKeySequence(Qt::CTRL | Qt::Key_O));
  m_new = button("New", ToolIcon::New, QStringLiteral("Yeni"), QKeySequence(Qt::CTRL | Qt::Key_N));
  m_save = button("Save", ToolIcon::Save, QStringLiteral("Kaydet"), QKeySequence(Qt::CTRL | Qt::Key_S));
  m_saveAs = button("SaveAs", ToolIcon::SaveAs, QStringLiteral("Farkli kaydet"),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  tb->addSeparator();
  connect(m_open, &QAction::triggered, this, [this] { OpenProjectAsked(); });
  connect(m_new, &QAction::triggered, this, [this] { NewProjectAsked(); });
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
    tb->widgetForAction(a)->installEventFilter(new SecondClickEater(tb->widgetForAction(a)));
    Slot(t.child).toggle = a;
  }

  // F5 switches the link on or off from wherever the keyboard is.
  auto* link = new QAction(QStringLiteral("Bağlantı"), this);
  link->setObjectName(QStringLiteral("LinkKey"));
  link->setShortcut(QKeySequence(Qt::Key_F5));
  link->setShortcutContext(Qt::WindowShortcut);
  addAction(link);
  connect(link, &QAction::triggered, this, [this] {
    if (monitor::Frm_T_24VOC* comm = CommWindow()) {
      comm->cmd_RUN_Click();
    } else {
      ShowStatus(QStringLiteral("İletişim penceresi kapalı: önce onu açın"));
    }
  });
}

}  // namespace shell
