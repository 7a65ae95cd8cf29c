#include "sim/app/command_line.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <iterator>
#include <string_view>
#include <type_traits>

namespace sim::app {

const char* const kUsage =
    "Usage: kx7140-sim [options]\n"
    "Plays the KX7140 controller on its serial bus: on a new pseudo-terminal whose\n"
    "device path is printed, or on a serial device given with --port.\n"
    "  --port DEVICE         serve on this serial device instead of a pseudo-terminal\n"
    "  --link PATH           make PATH a symlink to the pseudo-terminal's device\n"
    "  --memory FILE         controller memory: a raw 65536-byte image (.prj project\n"
    "                        files are not read here; without this a demo junction runs)\n"
    "  --program N           program record the junction runs, 2..18 (default 2)\n"
    "  --period-ms N         bus cycle period (default 100)\n"
    "  --window-ms N         time the PC has to answer its turn (default 60)\n"
    "  --reply-delay-ms N    delay of the controller's answer (default 5)\n"
    "  --loss P              chance 0..1 that an answer is lost\n"
    "  --corrupt P           chance 0..1 that an answer is damaged\n"
    "  --noise P             chance 0..1 of noise bytes before a frame\n"
    "  --exception P         chance 0..1 per cycle of a card's exception reply\n"
    "  --card-fault N        output card N (1..8) reports faults; may be repeated\n"
    "  --seed N              seed of the simulator's chances (default 1)\n"
    "  -h, --help            this text\n"
    "  -v, --version         the version\n";

namespace {

bool ToInt(const std::string& s, long long min, long long max, long long& out) {
  const char* end = s.data() + s.size();
  const auto r = std::from_chars(s.data(), end, out);
  return r.ec == std::errc() && r.ptr == end && out >= min && out <= max;
}

bool ToChance(const std::string& s, double& out) {
  char* end = nullptr;
  out = std::strtod(s.c_str(), &end);
  return !s.empty() && end == s.c_str() + s.size() && out >= 0.0 && out <= 1.0;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error) {
  // The option style of kx7140 and kx7140ctl (QCommandLineParser's): --name value,
  // --name=value, -name as --name, -h, -v, and -- before arguments that are no options.
  static constexpr std::string_view kFlags[] = {"h", "help", "v", "version"};
  static constexpr std::string_view kValued[] = {
      "port", "link",    "memory", "program",   "period-ms",  "window-ms", "reply-delay-ms",
      "loss", "corrupt", "noise",  "exception", "card-fault", "seed"};
  const auto known = [](const auto& names, std::string_view name) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
  };
  CommandLine cl;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--" && i + 1 == args.size()) break;
    if (arg == "--" || arg.size() < 2 || arg[0] != '-') {
      error = "unexpected argument " + (arg == "--" ? args[i + 1] : arg);
      return std::nullopt;
    }
    const std::size_t dashes = arg[1] == '-' ? 2 : 1;
    const std::size_t eq = arg.find('=');
    const std::string name = arg.substr(dashes, eq == std::string::npos ? std::string::npos : eq - dashes);
    const std::string opt = "--" + name;
    if (known(kFlags, name)) {
      if (eq != std::string::npos) {
        error = "unexpected value after '" + arg.substr(0, eq) + "'";
        return std::nullopt;
      }
      (name[0] == 'h' ? cl.help : cl.version) = true;
      continue;
    }
    if (!known(kValued, name)) {
      error = "unknown option " + std::string(name.size() == 1 ? "-" : "--") + name;
      return std::nullopt;
    }
    std::string v;
    if (eq != std::string::npos) {
      v = arg.substr(eq + 1);
    } else if (i + 1 < args.size()) {
      v = args[++i];
    } else {
      error = "missing value after '" + arg + "'";
      return std::nullopt;
    }
    const auto setInt = [&v](long long min, long long max, auto& field) {
      long long n = 0;
      if (!ToInt(v, min, max, n)) return false;
      field = static_cast<std::remove_reference_t<decltype(field)>>(n);
      return true;
    };
    bool ok = true;
    if (opt == "--port") {
      cl.portDevice = v;
    } else if (opt == "--link") {
      cl.linkPath = v;
    } else if (opt == "--memory") {
      cl.memoryFile = v;
    } else if (opt == "--program") {
      ok = setInt(2, 18, cl.sim.programRecord);
    } else if (opt == "--period-ms") {
      ok = setInt(1, 60000, cl.sim.periodMs);
    } else if (opt == "--window-ms") {
      ok = setInt(0, 60000, cl.sim.windowMs);
    } else if (opt == "--reply-delay-ms") {
      ok = setInt(0, 60000, cl.sim.replyDelayMs);
    } else if (opt == "--seed") {
      ok = setInt(0, 0xFFFFFFFFLL, cl.sim.seed);
    } else if (opt == "--card-fault") {
      int card = 0;
      ok = setInt(1, kCards, card);
      if (ok) cl.sim.cardFault[static_cast<std::size_t>(card - 1)] = true;
    } else if (opt == "--loss") {
      ok = ToChance(v, cl.sim.loss);
    } else if (opt == "--corrupt") {
      ok = ToChance(v, cl.sim.corrupt);
    } else if (opt == "--noise") {
      ok = ToChance(v, cl.sim.noise);
    } else if (opt == "--exception") {
      ok = ToChance(v, cl.sim.exception);
    }
    if (!ok) {
      error = "bad value for " + opt + ": " + v;
      return std::nullopt;
    }
  }
  if (!cl.portDevice.empty() && !cl.linkPath.empty()) {
    error = "--link names a pseudo-terminal; it cannot go with --port";
    return std::nullopt;
  }
  return cl;
}

}  // namespace sim::app
