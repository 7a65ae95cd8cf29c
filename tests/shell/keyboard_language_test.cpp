// The keyboard reaches the main commands, Qt's own dialogs speak the user's language,
// the toolbar is sharp on a scaled screen and forgiving to a double-click.

#include <QDir>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QToolBar>
#include <QTranslator>

#include "monitor/comm_window.h"
#include "shell/qt_language.h"
#include "shell/toolbar_icons.h"
#include "shell_fixture.h"

namespace {

using shelltest::MainWindow;

TEST_F(MainWindow, TheTooltipsNameTheShortcutsAndF5SwitchesTheLink) {
  for (const char* action : {"Open", "New", "Save", "SaveAs"}) {
    const QKeySequence keys = Act(action).shortcut();
    EXPECT_FALSE(keys.isEmpty()) << action;
    EXPECT_TRUE(Act(action).toolTip().contains(keys.toString(QKeySequence::NativeText))) << action;
  }
  ASSERT_EQ(Act("LinkKey").shortcut(), QKeySequence(Qt::Key_F5));
  for (const char* shown : {"OFFLINE", "ONLINE"}) {
    Act("LinkKey").trigger();
    EXPECT_EQ(kxtest::Child<QPushButton>(*window->CommWindow(), "cmd_RUN").text(), shown);
  }
}

TEST_F(MainWindow, TheLinkWindowOpensAgainWithoutAProjectAndSurvivesADoubleClick) {
  window->SetChildShown(shell::Child::Comm, false);
  emit kxtest::Child<QMenu>(*window, "Menu8").aboutToShow();
  Act("Menu8_Iletisim").trigger();
  ASSERT_NE(window->CommWindow(), nullptr);

  window->SetChildShown(shell::Child::Comm, false);
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

TEST(ToolbarIcons, DrawnForADoubleScaleScreen) {
  shelltest::EnsureApplication();
  for (shell::ToolIcon icon : {shell::ToolIcon::Lamps, shell::ToolIcon::Comm, shell::ToolIcon::Editor,
                               shell::ToolIcon::Buffer, shell::ToolIcon::SaveAs}) {
    const QList<QSize> sizes = shell::MakeToolIcon(icon, *QApplication::style()).availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(28, 28)) && sizes.contains(QSize(56, 56))) << static_cast<int>(icon);
  }
}

TEST(QtLanguage, TurkishOnlyForATurkishSystem) {
  shelltest::EnsureApplication();
  QTranslator t;
  EXPECT_FALSE(shell::LoadQtTranslation(t, QLocale(QLocale::English, QLocale::UnitedStates),
                                        shell::QtTranslationsFolder()));
  EXPECT_FALSE(
      shell::LoadQtTranslation(t, QLocale(QLocale::Turkish, QLocale::Turkey), QDir::tempPath() + "/none"))
      << "no translations: Qt's English, no failure";
  if (!QDir(shell::QtTranslationsFolder()).exists(QStringLiteral("qtbase_tr.qm")))
    GTEST_SKIP() << "no qtbase_tr.qm";
  ASSERT_TRUE(
      shell::LoadQtTranslation(t, QLocale(QLocale::Turkish, QLocale::Turkey), shell::QtTranslationsFolder()));
  EXPECT_NE(t.translate("QPlatformTheme", "Cancel"), QString()) << "Qt's buttons in Turkish";
}

}  // namespace
