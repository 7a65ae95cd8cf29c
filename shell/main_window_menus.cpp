// The main window's menu bar and toolbar: what each item and button starts.

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "persist/path_text.h"
#include "shell/help_windows.h"
#include "shell/main_window.h"
#include "shell/toolbar_icons.h"

namespace shell {

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
  item(file, "Menu1_Open", QStringLiteral("Aç"), [this] { OpenProjectAsked(); });
  item(file, "Menu1_Yeni", QStringLiteral("Yeni"), [this] { NewProjectAsked(); });
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
    showOnce(QStringLiteral("Hakkinda"), [this, settingsFile] { return MakeAboutWindow(settingsFile, this); });
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
    Slot(t.child).toggle = a;
  }
}

}  // namespace shell
