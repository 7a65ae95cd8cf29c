#include "shell/command_line.h"

namespace shell {

const char* const kShellUsage =
    "Usage: kx7140 [options]\n"
    "  --demo            run against a simulated controller served inside the program\n"
    "  --port DEVICE     use this serial device instead of the port number\n"
    "  --project FILE    open this project file at start\n"
    "  --online          switch the link on at start\n"
    "  --help            show this text\n"
    "  --version         show the version\n";

bool ParseShellOptions(const QStringList& args, ShellOptions& options, QString& error) {
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args.at(i);
    const auto value = [&](QString& into) {
      if (i + 1 >= args.size() || args.at(i + 1).isEmpty()) {
        error = a + " needs a value";
        return false;
      }
      into = args.at(++i);
      return true;
    };
    if (a == QLatin1String("--demo")) {
      options.demo = true;
    } else if (a == QLatin1String("--online")) {
      options.online = true;
    } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      options.help = true;
    } else if (a == QLatin1String("--version")) {
      options.version = true;
    } else if (a == QLatin1String("--port")) {
      if (!value(options.portDevice)) return false;
    } else if (a == QLatin1String("--project")) {
      if (!value(options.projectFile)) return false;
    } else if (a.startsWith(QLatin1String("--port="))) {
      options.portDevice = a.mid(7);
    } else if (a.startsWith(QLatin1String("--project="))) {
      options.projectFile = a.mid(10);
    } else if (a.startsWith(QLatin1Char('-'))) {
      // Qt's own options (-platform, -style ...) reach here only if QApplication
      // did not take them, so anything left is a mistake.
      error = "unknown option " + a;
      return false;
    } else {
      error = "unexpected argument " + a;
      return false;
    }
  }
  if (options.demo && !options.portDevice.isEmpty()) {
    error = "--demo and --port exclude each other";
    return false;
  }
  return true;
}

}  // namespace shell
