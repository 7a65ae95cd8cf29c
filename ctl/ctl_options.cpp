#include "ctl/ctl_options.h"

#include <QCommandLineParser>

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "link/service_commands.h"
#include "qtlink/option_error.h"

namespace ctl {

const char* const kCtlUsage =
    "Usage: kx7140ctl --port DEVICE [--timeout SECONDS] COMMAND\n"
    "       kx7140ctl ports\n"
    "       kx7140ctl decode FILE [--json]\n"
    "\n"
    "Commands:\n"
    "  ports                     list the serial ports: number as the service tool counts\n"
    "                            them, device, stable name, adapter and serial number\n"
    "  upload OUT.prj            read the whole controller memory into a project file\n"
    "  download IN.prj           program download with checksum, block by block confirmed\n"
    "  download-system IN.prj    system memory download (step 1 of record 0), then Reset CPU\n"
    "  log                       read the event log; print its lines and the total\n"
    "  set-clock                 set the controller clock from the PC clock\n"
    "  service NAME              send a service command; NAME is one of reset-cpu,\n"
    "                            reset-parameters, reset-alarm-list, reset-rtc,\n"
    "                            reset-program-chip\n"
    "  verify IN.prj             read the controller memory and compare it with what a\n"
    "                            download of IN.prj would leave there (0x0000-0xB07F)\n"
    "  check FILE.prj [--json]   list the warnings about the programs and the weekly\n"
    "                            table, with the junction data beside the file; no port\n"
    "  diff A.prj B.prj          list the differences between two project files; no port\n"
    "  capture FILE [--seconds N]\n"
    "                            write every line on the bus into a capture file, for N\n"
    "                            seconds (until interrupted without --seconds)\n"
    "  decode FILE [--json]      print every line of a capture file with its meaning,\n"
    "                            tab-separated; --json prints one JSON object per line;\n"
    "                            needs no port\n"
    "  watch [--seconds N] [--json | --csv]\n"
    "                            print the decoded register image once a second, N times\n"
    "                            (until interrupted without --seconds); --json prints one\n"
    "                            JSON object per line; --csv prints the service tool's\n"
    "                            trend columns, one row per PC turn\n"
    "\n"
    "Options:\n"
    "  --port DEVICE             the serial device on the controller's bus: a path\n"
    "                            (/dev/ttyUSB0), a name (ttyUSB0, COM3) or the port's\n"
    "                            number as ports lists it\n"
    "  --timeout SECONDS         give up after this long without a PC turn, or without\n"
    "                            the controller confirming the command (default 5)\n"
    "  --allow-incomplete        download a project file that is not whole (fewer than\n"
    "                            4096 good lines, or lines that had to be skipped)\n"
    "  -h, --help                show this text\n"
    "  -v, --version             show the version\n"
    "\n"
    "A progress bar goes to standard error for transfers when it is a terminal.\n"
    "\n"
    "Exit status:\n"
    "  0    done: confirmed by the controller (clock set, each block, system memory);\n"
    "       service commands and the download start and end count as done once sent;\n"
    "       verify, check, diff: no difference, no warning\n"
    "  1    the controller gave PC turns but did not confirm within the timeout;\n"
    "       verify, check, diff: differences or warnings were listed\n"
    "  2    bad command line\n"
    "  3    the project file could not be read or written, or is not whole; the\n"
    "       capture file could not be written, or is not a capture\n"
    "  4    the port could not be opened, or was lost and stayed away\n"
    "  5    no PC turn within the timeout: the bus is silent or not connected\n"
    "  130  interrupted\n";

namespace {

constexpr double kMaxTimeoutSeconds = 24.0 * 3600.0;

std::optional<double> Seconds(std::string_view text) {
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (!(value > 0.0) || value > kMaxTimeoutSeconds) return std::nullopt;
  return value;
}

std::optional<int> Count(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 1) return std::nullopt;
  return value;
}

struct CommandWord {
  const char* word;
  Command command;
  bool needsFile;
};
constexpr CommandWord kCommands[] = {
    {"upload", Command::Upload, true},
    {"download", Command::Download, true},
    {"download-system", Command::DownloadSystem, true},
    {"log", Command::Log, false},
    {"set-clock", Command::SetClock, false},
    {"service", Command::Service, false},
    {"watch", Command::Watch, false},
    {"capture", Command::Capture, true},
    {"decode", Command::Decode, true},
    {"verify", Command::Verify, true},
};

// check and diff only read files: no port, no session.
bool ParseFileCommand(const std::vector<std::string>& words, bool secondsGiven, CtlOptions& options,
                      std::string& error) {
  const bool diff = words[0] == "diff";
  const std::size_t files = diff ? 2 : 1;
  if (words.size() < files + 1) {
    error = diff ? "diff needs two project files" : "check needs a project file";
    return false;
  }
  if (words.size() > files + 1) {
    error = "unexpected argument '" + words[files + 1] + "'";
    return false;
  }
  const char* misplaced = secondsGiven              ? "--seconds belongs to the watch and capture commands"
                          : options.allowIncomplete ? "--allow-incomplete belongs to the download commands"
                          : diff && options.json    ? "--json belongs to the watch, decode and check commands"
                                                    : nullptr;
  if (misplaced) {
    error = misplaced;
    return false;
  }
  options.command = diff ? Command::Diff : Command::Check;
  options.projectFile = words[1];
  if (diff) options.otherProjectFile = words[2];
  return true;
}

// The values of --port, --timeout and --seconds, checked.
bool ReadOptionValues(const QCommandLineParser& parser, const QCommandLineOption& port,
                      const QCommandLineOption& timeout, const QCommandLineOption& seconds,
                      CtlOptions& options, std::string& error) {
  if (parser.isSet(port)) {
    options.device = parser.value(port).toStdString();
    if (options.device.empty()) {
      error = "--port needs a value";
      return false;
    }
  }
  if (parser.isSet(timeout)) {
    const std::string v = parser.value(timeout).toStdString();
    const auto s = Seconds(v);
    if (!s) {
      error = "--timeout needs a number of seconds above 0, not '" + v + "'";
      return false;
    }
    options.timeoutMs = std::llround(*s * 1000.0);
    if (options.timeoutMs < 1) options.timeoutMs = 1;
  }
  if (parser.isSet(seconds)) {
    const std::string v = parser.value(seconds).toStdString();
    const auto n = Count(v);
    if (!n) {
      error = "--seconds needs a whole number of at least 1, not '" + v + "'";
      return false;
    }
    options.watchSeconds = *n;
  }
  return true;
}

// The service command named after "service".
bool ReadServiceName(const std::vector<std::string>& words, CtlOptions& options, std::string& error) {
  if (words.size() < 2) {
    error = "service needs a command name (";
    for (std::size_t k = 0; k < bus::kServiceCommands.size(); ++k) {
      if (k > 0) error += k + 1 < bus::kServiceCommands.size() ? ", " : " or ";
      error += bus::kServiceCommands[k].word;
    }
    error += ")";
    return false;
  }
  for (std::size_t k = 0; k < bus::kServiceCommands.size(); ++k) {
    if (words[1] == bus::kServiceCommands[k].word) options.serviceIndex = static_cast<int>(k);
  }
  if (options.serviceIndex < 0) {
    error = "unknown service command '" + words[1] + "'";
    return false;
  }
  return true;
}

// The command and its arguments, none left over.
bool ReadCommand(const std::vector<std::string>& words, CtlOptions& options, std::string& error) {
  const CommandWord* found = nullptr;
  for (const CommandWord& c : kCommands) {
    if (words[0] == c.word) found = &c;
  }
  if (!found) {
    error = "unknown command '" + words[0] + "'";
    return false;
  }
  options.command = found->command;
  std::size_t expected = 1;
  if (found->needsFile) {
    if (words.size() < 2) {
      const bool capture = found->command == Command::Capture || found->command == Command::Decode;
      error = words[0] + (capture ? " needs a capture file" : " needs a project file");
      return false;
    }
    options.projectFile = words[1];
    expected = 2;
  } else if (found->command == Command::Service) {
    if (!ReadServiceName(words, options, error)) return false;
    expected = 2;
  }
  if (words.size() > expected) {
    error = "unexpected argument '" + words[expected] + "'";
    return false;
  }
  return true;
}

}  // namespace

bool ParseCtlOptions(const std::vector<std::string>& args, CtlOptions& options, std::string& error) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({"h", "help"}, {});
  const QCommandLineOption version({"v", "version"}, {});
  const QCommandLineOption json("json", {});
  const QCommandLineOption csv("csv", {});
  const QCommandLineOption port("port", {}, "DEVICE");
  const QCommandLineOption timeout("timeout", {}, "SECONDS");
  const QCommandLineOption seconds("seconds", {}, "N");
  const QCommandLineOption allowIncomplete("allow-incomplete", {});
  parser.addOptions({help, version, json, csv, port, timeout, seconds, allowIncomplete});
  QStringList arguments{QStringLiteral("kx7140ctl")};
  for (const std::string& a : args) arguments << QString::fromStdString(a);
  const bool parsed = parser.parse(arguments);

  options.help = parser.isSet(help);
  options.version = parser.isSet(version);
  // --help and --version answer without a command, whatever else was given.
  if (options.help || options.version) return true;
  if (!parsed) {
    error = qtlink::OptionError(parser);
    return false;
  }
  options.json = parser.isSet(json);
  options.csv = parser.isSet(csv);
  options.allowIncomplete = parser.isSet(allowIncomplete);
  const bool secondsGiven = parser.isSet(seconds);
  if (!ReadOptionValues(parser, port, timeout, seconds, options, error)) return false;
  std::vector<std::string> words;
  for (const QString& w : parser.positionalArguments()) words.push_back(w.toStdString());

  if (words.empty()) {
    error = "no command given";
    return false;
  }
  if (words[0] == "ports") {
    if (words.size() > 1) {
      error = "unexpected argument '" + words[1] + "'";
      return false;
    }
    options.listPorts = true;
    return true;
  }
  if (words[0] == "check" || words[0] == "diff") return ParseFileCommand(words, secondsGiven, options, error);
  if (!ReadCommand(words, options, error)) return false;
  if (secondsGiven && options.command != Command::Watch && options.command != Command::Capture) {
    error = "--seconds belongs to the watch and capture commands";
    return false;
  }
  if (options.json && options.command != Command::Watch && options.command != Command::Decode) {
    error = "--json belongs to the watch, decode and check commands";
    return false;
  }
  if (options.csv && options.command != Command::Watch) {
    error = "--csv belongs to the watch command";
    return false;
  }
  if (options.json && options.csv) {
    error = "--json and --csv do not go together";
    return false;
  }
  if (options.allowIncomplete && options.command != Command::Download &&
      options.command != Command::DownloadSystem) {
    error = "--allow-incomplete belongs to the download commands";
    return false;
  }
  if (options.device.empty() && options.command != Command::Decode) {
    error = "--port DEVICE is needed (kx7140ctl ports lists the ports)";
    return false;
  }
  return true;
}

}  // namespace ctl
