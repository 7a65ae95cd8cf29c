#include "shell/command_line.h"

#include <QCommandLineParser>

#include <utility>

#include "qtlink/option_error.h"

namespace shell {

const char* const kShellUsage =
    "Usage: kx7140 [options] [FILE.prj]\n"
    "Opens FILE.prj, when given, as the project.\n"
    "  --demo            run against a simulated controller served inside the program\n"
    "  --port DEVICE     use this serial device instead of the port number\n"
    "  --project FILE    open this project file at start (as FILE.prj does)\n"
    "  --online          switch the link on at start\n"
    "  --capture FILE    write the bus traffic into FILE from the start\n"
    "  --replay FILE     play a capture as if it were the bus (switches the link on)\n"
    "  --speed X         replay speed: 1 as recorded, 2 twice as fast, 0 at once\n"
    "  -h, --help        show this text\n"
    "  -v, --version     show the version\n"
    "Qt's own options (-platform, -style, ...) are taken as well.\n";

bool ParseShellOptions(const QStringList& args, ShellOptions& options, QString& error) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption demo("demo", {});
  const QCommandLineOption online("online", {});
  const QCommandLineOption help({"h", "help"}, {});
  const QCommandLineOption version({"v", "version"}, {});
  const QCommandLineOption port("port", {}, "DEVICE");
  const QCommandLineOption project("project", {}, "FILE");
  const QCommandLineOption capture("capture", {}, "FILE");
  const QCommandLineOption replay("replay", {}, "FILE");
  const QCommandLineOption speed("speed", {}, "X");
  parser.addOptions({demo, online, help, version, port, project, capture, replay, speed});
  const bool parsed = parser.parse(QStringList{QStringLiteral("kx7140")} + args);
  options.help = parser.isSet(help);
  options.version = parser.isSet(version);
  if (!parsed) {
    error = QString::fromStdString(qtlink::OptionError(parser));
    return false;
  }
  options.demo = parser.isSet(demo);
  options.online = parser.isSet(online);
  for (const auto& [option, into] :
       {std::pair{&port, &options.portDevice}, std::pair{&project, &options.projectFile},
        std::pair{&capture, &options.captureFile}, std::pair{&replay, &options.replayFile}}) {
    if (!parser.isSet(*option)) continue;
    *into = parser.value(*option);
    if (into->isEmpty()) {
      error = QStringLiteral("--%1 needs a value").arg(option->names().constFirst());
      return false;
    }
  }
  // What a file manager passes: the file to open.
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1 || (!files.isEmpty() && !options.projectFile.isEmpty())) {
    error = QStringLiteral("one project at a time: unexpected argument ") + files.last();
    return false;
  }
  if (!files.isEmpty()) options.projectFile = files.first();
  if (options.demo && !options.portDevice.isEmpty()) {
    error = QStringLiteral("--demo and --port exclude each other");
    return false;
  }
  if (!options.replayFile.isEmpty() && (options.demo || !options.portDevice.isEmpty())) {
    error = QStringLiteral("--replay plays a file instead of a port: not with --demo or --port");
    return false;
  }
  if (parser.isSet(speed)) {
    bool ok = false;
    options.replaySpeed = parser.value(speed).toDouble(&ok);
    if (!ok || !(options.replaySpeed >= 0) || options.replaySpeed > 1000) {
      error = QStringLiteral("--speed needs a number from 0 to 1000, not '%1'").arg(parser.value(speed));
      return false;
    }
    if (options.replayFile.isEmpty()) {
      error = QStringLiteral("--speed belongs to --replay");
      return false;
    }
  }
  // A replay is watched from its first line.
  if (!options.replayFile.isEmpty()) options.online = true;
  return true;
}

bool MayHoldToolkitOptions(const QStringList& args) {
  for (const QString& a : args) {
    if (a == QLatin1String("--")) return false;
    if (a.size() > 2 && a.startsWith(QLatin1Char('-')) && !a.startsWith(QLatin1String("--"))) return true;
  }
  return false;
}

}  // namespace shell
