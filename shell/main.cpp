// kx7140: the service tool for the KX7140 traffic-signal controller.

#include <QApplication>
#include <QCoreApplication>
#include <QStandardPaths>
#include <QTranslator>

#include <iostream>
#include <memory>

#include "persist/path_text.h"
#include "persist/settings_location.h"
#include "shell/app_state.h"
#include "shell/command_line.h"
#include "shell/demo_project.h"
#include "shell/main_window.h"
#include "shell/qt_language.h"
#include "shell/stop_signals.h"
#include "sim/demo_memory.h"
#include "sim/host/background_sim.h"

namespace {

int UsageError(const QString& error) {
  std::cerr << "kx7140: " << error.toStdString() << " (see kx7140 --help)\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  shell::BlockStopSignals();
  // Read before QApplication exists, which needs a display: --help and --version
  // answer on a terminal without one.
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  shell::ShellOptions options;
  QString error;
  const bool parsed = shell::ParseShellOptions(args, options, error);
  if (options.help) {
    std::cout << shell::kShellUsage;
    return 0;
  }
  if (options.version) {
    std::cout << "kx7140 " << KX_VERSION << "\n";
    return 0;
  }
  if (!parsed && !shell::MayHoldToolkitOptions(args)) return UsageError(error);

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kx7140"));
  QApplication::setApplicationVersion(QStringLiteral(KX_VERSION));
  if (!parsed) {
    // QApplication has taken its own options out; what is left must be ours.
    options = {};
    if (!shell::ParseShellOptions(QCoreApplication::arguments().mid(1), options, error))
      return UsageError(error);
  }

  QTranslator qtTexts;
  if (shell::LoadQtTranslation(qtTexts, QLocale::system(), shell::QtTranslationsFolder())) {
    QApplication::installTranslator(&qtTexts);
  }

  shell::StopSignals stopSignals;

  // About 300 KB of tables: they live on the heap, once, for the whole run.
  auto state = std::make_unique<shell::AppState>();
  state->paths = persist::ChooseSettingsPaths(
      persist::PathFromUtf8(QCoreApplication::applicationDirPath().toStdString()),
      persist::PathFromUtf8(
          QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString()));

  state->windowGeometryFile = (QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                               QStringLiteral("/pencereler.ini"))
                                  .toStdString();

  std::unique_ptr<sim::host::BackgroundSim> demo;
  std::unique_ptr<shell::DemoProject> demoProject;
  if (options.demo) {
    std::string why;
    const program::ProgramImage memory = sim::DemoMemory();
    demo = sim::host::BackgroundSim::Start({}, memory, why);
    if (!demo) {
      std::cerr << "kx7140: the demo controller could not start: " << why << "\n";
      return 1;
    }
    options.portDevice = QString::fromStdString(demo->DevicePath());
    options.online = true;
    if (options.projectFile.isEmpty()) {
      // The demo's program, as a project of its own, so every window has content.
      demoProject = std::make_unique<shell::DemoProject>(memory);
      options.projectFile = demoProject->Path();
    }
  }

  shell::MDIForm1 window(*state, options);
  QObject::connect(&stopSignals, &shell::StopSignals::stopRequested, &window,
                   [&window] { window.CloseFromSignal(); });
  window.ShowPlaced();
  window.Start();
  // A new user sees the junction move at once.
  if (options.demo) window.SetChildShown(shell::Child::Cards, true);
  const int rc = app.exec();
  return rc;
}
