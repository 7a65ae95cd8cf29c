#pragma once
// The two windows of the "Yardım" menu: the user guide that ships inside the program,
// and "Hakkında" with the version, the build, the Qt version and where the settings
// file is. Both are plain windows of their own beside the main window.

#include <QString>
#include <QWidget>

namespace shell {

// The user guide, from the program's own resources: works without a network or an
// installed documentation folder.
QWidget* MakeUserGuideWindow(QWidget* parent);

// The text of "Hakkında", one fact per line.
QString AboutText(const QString& settingsFile);
QWidget* MakeAboutWindow(const QString& settingsFile, QWidget* parent);

}  // namespace shell
