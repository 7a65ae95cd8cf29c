// The command line: what each command takes, and one clear reason for every refusal.

#include <gtest/gtest.h>

#include <sstream>

#include "ctl/ctl_options.h"
#include "ctl/port_choice.h"

namespace {

using ctl::Command;

// What a parse took, in one line, or why it refused in its own one line.
std::string Taken(const std::string& line) {
  std::vector<std::string> args;
  std::istringstream words(line);
  for (std::string w; words >> w;) args.push_back(w);
  static const char* const kNames[] = {"none",      "upload",  "download", "download-system", "log",
                                       "set-clock", "service", "watch",    "capture",         "decode",
                                       "check",     "diff",    "verify"};
  ctl::CtlOptions o;
  std::string error;
  if (!ctl::ParseCtlOptions(args, o, error)) return "refused: " + error;
  std::ostringstream s;
  s << kNames[static_cast<int>(o.command)] << " [" << o.projectFile << "][" << o.otherProjectFile << "] on ["
    << o.device << "] " << o.timeoutMs << " ms " << o.watchSeconds << " s" << (o.json ? " json" : "")
    << (o.csv ? " csv" : "") << (o.allowIncomplete ? " incomplete" : "") << (o.listPorts ? " ports" : "")
    << (o.help ? " help" : "") << (o.version ? " version" : "");
  return s.str();
}

TEST(CtlOptions, CommandsTakeTheirArgumentsAndOptionsGoAnywhereAndEachRefusalSaysWhy) {
  // The arguments split at the spaces, and what was taken (a refusal: a part of its message).
  const std::pair<std::string, std::string> cases[] = {
      {"download in.prj --port=/dev/x --timeout 0.25", "download [in.prj][] on [/dev/x] 250 ms 0 s"},
      {"--port d download --allow-incomplete in.prj", "download [in.prj][] on [d] 5000 ms 0 s incomplete"},
      {"--port d watch --seconds 3 --json", "watch [][] on [d] 5000 ms 3 s json"},
      {"--port d watch --csv", "watch [][] on [d] 5000 ms 0 s csv"},
      {"--port d upload -- -odd.prj", "upload [-odd.prj][] on [d] 5000 ms 0 s"},
      {"log --help", "none [][] on [] 5000 ms 0 s help"},     // help needs no port
      {"-v --bogus", "none [][] on [] 5000 ms 0 s version"},  // nor does the version
      {"ports", "none [][] on [] 5000 ms 0 s ports"},
      // The commands that only read files need no port.
      {"check --json a.prj", "check [a.prj][] on [] 5000 ms 0 s json"},
      {"diff a.prj b.prj", "diff [a.prj][b.prj] on [] 5000 ms 0 s"},
      {"decode a.kxcap --json", "decode [a.kxcap][] on [] 5000 ms 0 s json"},
      {"--port d", "no command given"},
      {"--port= log", "--port needs a value"},
      {"ports extra", "unexpected argument 'extra'"},
      {"--port d fly", "unknown command 'fly'"},
      {"--port d upload", "upload needs a project file"},
      {"--port d service reboot", "unknown service command 'reboot'"},
      {"--port d log --json", "--json belongs to the watch, decode and check commands"},
      {"--port d log --allow-incomplete", "--allow-incomplete belongs to the download commands"},
      {"--port d watch --csv --json", "--json and --csv do not go together"},
      {"verify a.prj", "--port DEVICE is needed (kx7140ctl ports lists the ports)"},
      {"diff a.prj", "diff needs two project files"},
      {"diff a.prj b.prj c.prj", "unexpected argument 'c.prj'"},
      {"--port d watch --seconds 0", "--seconds needs a whole number of at least 1"},
      {"--port d --timeout -1 log", "--timeout needs a number of seconds above 0"},
      {"--port d --timeout 5s log", "not '5s'"},
      {"--port d --timeout nan log", "--timeout needs"},
      {"--port d --timeout 1e9 log", "--timeout needs"},
  };
  for (const auto& [args, want] : cases) {
    SCOPED_TRACE(want);
    const std::string taken = Taken(args);
    if (!taken.starts_with("refused: "))
      EXPECT_EQ(taken, want);
    else
      EXPECT_TRUE(taken.find(want) != std::string::npos && taken.find('\n') == std::string::npos) << taken;
  }
}

TEST(CtlOptions, PortArgumentNamesTheDeviceTried) {
  const QList<qtlink::PortEntry> ports{{1, "/dev/ttyS0", {}, {}, {}}, {2, "/dev/ttyUSB0", {}, {}, {}}};
  std::string error;
#if !defined(_WIN32)
  EXPECT_EQ(ctl::ResolvePortArgument("2", ports, error), "/dev/ttyUSB0");
  EXPECT_EQ(ctl::ResolvePortArgument("ttyUSB1", ports, error), "/dev/ttyUSB1");
#endif
  EXPECT_EQ(ctl::ResolvePortArgument("/tmp/pty", ports, error), "/tmp/pty");
  EXPECT_EQ(error, "");
  EXPECT_EQ(ctl::ResolvePortArgument("0", ports, error), "");
  EXPECT_EQ(error, "there is no port 0 (kx7140ctl ports lists them)");
#if !defined(_WIN32)
  EXPECT_EQ(ctl::ResolvePortArgument("3", ports, error), "");  // one past the last
#endif
}

}  // namespace
