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

// The options that belong to some commands only.
enum Takes : unsigned { kSeconds = 1, kJson = 2, kCsv = 4, kAllowIncomplete = 8 };

struct CommandWord {
  const char* word;
  Command command;
  std::size_t files;  // project or capture files after the word
  unsigned takes;     // Takes
  bool needsPort;
};
constexpr CommandWord kCommands[] = {
    {"upload", Command::Upload, 1, 0, true},
    {"download", Command::Download, 1, kAllowIncomplete, true},
    {"download-system", Command::DownloadSystem, 1, kAllowIncomplete, true},
    {"log", Command::Log, 0, 0, true},
    {"set-clock", Command::SetClock, 0, 0, true},
    {"service", Command::Service, 0, 0, true},
    {"watch", Command::Watch, 0, kSeconds | kJson | kCsv, true},
    {"capture", Command::Capture, 1, kSeconds, true},
    {"decode", Command::Decode, 1, kJson, false},
    {"verify", Command::Verify, 1, 0, true},
    // check and diff only read files: no port, no session.
    {"check", Command::Check, 1, kJson, false},
    {"diff", Command::Diff, 2, 0, false},
};

struct OptionOwner {
  Takes option;
  const char* misplaced;
};
constexpr OptionOwner kOptionOwners[] = {
    {kSeconds, "--seconds belongs to the watch and capture commands"},
    {kJson, "--json belongs to the watch, decode and check commands"},
    {kCsv, "--csv belongs to the watch command"},
    {kAllowIncomplete, "--allow-incomplete belongs to the download commands"},
};

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
const CommandWord* ReadCommand(const std::vector<std::string>& words, CtlOptions& options,
                               std::string& error) {
  const CommandWord* found = nullptr;
  for (const CommandWord& c : kCommands) {
    if (words[0] == c.word) found = &c;
  }
  if (!found) {
    error = "unknown command '" + words[0] + "'";
    return nullptr;
  }
  options.command = found->command;
  std::size_t expected = 1 + found->files;
  if (words.size() < expected) {
    const bool capture = found->command == Command::Capture || found->command == Command::Decode;
    error = words[0] + (found->files == 2 ? " needs two project files"
                        : capture         ? " needs a capture file"
                                          : " needs a project file");
    return nullptr;
  }
  if (found->files >= 1) options.projectFile = words[1];
  if (found->files == 2) options.otherProjectFile = words[2];
  if (found->command == Command::Service) {
    if (!ReadServiceName(words, options, error)) return nullptr;
    expected = 2;
  }
  if (words.size() > expected) {
    error = "unexpected argument '" + words[expected] + "'";
    return nullptr;
  }
  return found;
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
  const CommandWord* command = ReadCommand(words, options, error);
  if (!command) return false;
  const unsigned given = (secondsGiven ? kSeconds : 0u) | (options.json ? kJson : 0u) |
                         (options.csv ? kCsv : 0u) | (options.allowIncomplete ? kAllowIncomplete : 0u);
  for (const OptionOwner& o : kOptionOwners) {
    if ((given & o.option) != 0 && (command->takes & o.option) == 0) {
      error = o.misplaced;
      return false;
    }
  }
  if (options.json && options.csv) {
    error = "--json and --csv do not go together";
    return false;
  }
  if (options.device.empty() && command->needsPort) {
    error = "--port DEVICE is needed (kx7140ctl ports lists the ports)";
    return false;
  }
  return true;
}

}  // namespace ctl
