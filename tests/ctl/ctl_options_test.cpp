// The command line: what each command takes, and one clear reason for every refusal.

#include <gtest/gtest.h>

#include "ctl/ctl_options.h"

namespace {

using ctl::Command;
using ctl::CtlOptions;

struct Parsed {
  bool ok = false;
  CtlOptions options;
  std::string error;
};

Parsed Parse(const std::vector<std::string>& args) {
  Parsed p;
  p.ok = ctl::ParseCtlOptions(args, p.options, p.error);
  return p;
}

TEST(CtlOptions, EveryCommandWithItsArguments) {
  auto p = Parse({"--port", "/dev/ttyUSB0", "upload", "out.prj"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.command, Command::Upload);
  EXPECT_EQ(p.options.device, "/dev/ttyUSB0");
  EXPECT_EQ(p.options.projectFile, "out.prj");
  EXPECT_EQ(p.options.timeoutMs, 5000);

  p = Parse({"download", "in.prj", "--port=/dev/x"});  // options may follow the command
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.command, Command::Download);
  EXPECT_EQ(p.options.device, "/dev/x");

  EXPECT_EQ(Parse({"--port", "d", "download-system", "a.prj"}).options.command, Command::DownloadSystem);
  EXPECT_EQ(Parse({"--port", "d", "log"}).options.command, Command::Log);
  EXPECT_EQ(Parse({"--port", "d", "set-clock"}).options.command, Command::SetClock);

  // A file name that looks like an option, after "--".
  p = Parse({"--port", "d", "upload", "--", "-odd.prj"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.projectFile, "-odd.prj");
}

TEST(CtlOptions, ServiceNamesFollowTheControllersList) {
  const char* names[] = {"reset-cpu", "reset-parameters", "reset-alarm-list", "reset-rtc",
                         "reset-program-chip"};
  for (int i = 0; i < 5; ++i) {
    const auto p = Parse({"--port", "d", "service", names[i]});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.command, Command::Service);
    EXPECT_EQ(p.options.serviceIndex, i);
  }
}

TEST(CtlOptions, WatchAndTimeout) {
  auto p = Parse({"--port", "d", "watch", "--seconds", "3", "--json", "--timeout", "0.25"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.command, Command::Watch);
  EXPECT_EQ(p.options.watchSeconds, 3);
  EXPECT_TRUE(p.options.json);
  EXPECT_EQ(p.options.timeoutMs, 250);
  p = Parse({"--port", "d", "watch"});
  EXPECT_EQ(p.options.watchSeconds, 0);  // until interrupted
  EXPECT_FALSE(p.options.json);
}

TEST(CtlOptions, HelpAndVersionNeedNothingElse) {
  EXPECT_TRUE(Parse({"--help"}).options.help);
  EXPECT_TRUE(Parse({"-h"}).options.help);
  EXPECT_TRUE(Parse({"--version"}).options.version);
  EXPECT_TRUE(Parse({"log", "--help"}).ok);
}

TEST(CtlOptions, RefusalsSayWhy) {
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{}, "no command given"},
      {{"--port", "d"}, "no command given"},
      {{"log"}, "--port DEVICE is needed"},
      {{"--port"}, "--port needs a value"},
      {{"--port=", "log"}, "--port needs a value"},
      {{"--port", "d", "fly"}, "unknown command 'fly'"},
      {{"--port", "d", "--speed", "9", "log"}, "unknown option --speed"},
      {{"--port", "d", "upload"}, "upload needs a project file"},
      {{"--port", "d", "log", "extra"}, "unexpected argument 'extra'"},
      {{"--port", "d", "download", "a.prj", "b.prj"}, "unexpected argument 'b.prj'"},
      {{"--port", "d", "service"}, "service needs a command name"},
      {{"--port", "d", "service", "reboot"}, "unknown service command 'reboot'"},
      {{"--port", "d", "log", "--json"}, "--json belongs to the watch command"},
      {{"--port", "d", "log", "--seconds", "2"}, "--seconds belongs to the watch command"},
      {{"--port", "d", "watch", "--seconds", "0"}, "--seconds needs a whole number of at least 1"},
      {{"--port", "d", "watch", "--seconds", "2.5"}, "--seconds needs a whole number"},
      {{"--port", "d", "--timeout", "0", "log"}, "--timeout needs a number of seconds above 0"},
      {{"--port", "d", "--timeout", "-1", "log"}, "--timeout needs a number of seconds above 0"},
      {{"--port", "d", "--timeout", "5s", "log"}, "not '5s'"},
      {{"--port", "d", "--timeout", "nan", "log"}, "--timeout needs"},
      {{"--port", "d", "--timeout", "1e9", "log"}, "--timeout needs"},
      {{"--port", "d", "--json=yes", "watch"}, "--json takes no value"},
  };
  for (const auto& c : cases) {
    const auto p = Parse(c.args);
    EXPECT_FALSE(p.ok) << c.error;
    EXPECT_NE(p.error.find(c.error), std::string::npos) << "got: " << p.error;
    EXPECT_EQ(p.error.find('\n'), std::string::npos);
  }
}

TEST(CtlOptions, UsageDocumentsEveryCommandAndExitStatus) {
  const std::string usage = ctl::kCtlUsage;
  for (const char* word : {"upload OUT.prj", "download IN.prj", "download-system IN.prj", "log",
                           "set-clock", "service NAME", "watch [--seconds N] [--json]",
                           "--timeout SECONDS", "Exit status"}) {
    EXPECT_NE(usage.find(word), std::string::npos) << word;
  }
  for (const char* status : {"\n  0 ", "\n  1 ", "\n  2 ", "\n  3 ", "\n  4 ", "\n  5 ", "\n  130 "}) {
    EXPECT_NE(usage.find(status), std::string::npos) << status;
  }
}

}  // namespace
