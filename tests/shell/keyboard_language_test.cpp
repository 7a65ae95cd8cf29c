// Qt's own dialogs speak the user's language and the toolbar is sharp on a scaled screen.

#include <QDir>
#include <QStyle>
#include <QTranslator>

#include "shell/qt_language.h"
#include "shell/toolbar_icons.h"
#include "shell_fixture.h"

namespace {

TEST(ToolbarIcons, DrawnForADoubleScaleScreen) {
  kxtest::EnsureApplication();
  for (shell::ToolIcon icon : {shell::ToolIcon::Lamps, shell::ToolIcon::Comm, shell::ToolIcon::Editor,
                               shell::ToolIcon::Buffer, shell::ToolIcon::SaveAs}) {
    const QList<QSize> sizes = shell::MakeToolIcon(icon, *QApplication::style()).availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(28, 28)) && sizes.contains(QSize(56, 56))) << static_cast<int>(icon);
  }
}

TEST(QtLanguage, TurkishOnlyForATurkishSystem) {
  kxtest::EnsureApplication();
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
