// The command line: what each command takes, and one clear reason for every refusal.

#include <gtest/gtest.h>

#include "ctl/ctl_options.h"
#include "ctl/port_choice.h"

namespace {

using ctl::Command;

TEST(CtlOptions, CommandsTakeTheirArgumentsAndOptionsGoAnywhere) {
  ctl::CtlOptions o;
  std::string error;
  ASSERT_TRUE(ctl::ParseCtlOptions({"download", "in.prj", "--port=/dev/x", "--timeout", "0.25"}, o, error))
      << error;
  EXPECT_EQ(o.command, Command::Download);
  EXPECT_EQ(o.projectFile, "in.prj");
  EXPECT_EQ(o.device, "/dev/x");
  EXPECT_EQ(o.timeoutMs, 250);
  EXPECT_FALSE(o.allowIncomplete);
  o = {};
  ASSERT_TRUE(ctl::ParseCtlOptions({"--port", "d", "download", "--allow-incomplete", "in.prj"}, o, error));
  EXPECT_TRUE(o.allowIncomplete);

  o = {};
  ASSERT_TRUE(ctl::ParseCtlOptions({"--port", "d", "watch", "--seconds", "3", "--json"}, o, error));
  EXPECT_EQ(o.watchSeconds, 3);
  EXPECT_TRUE(o.json);
  EXPECT_EQ(o.timeoutMs, 5000);

  o = {};
  ASSERT_TRUE(ctl::ParseCtlOptions({"--port", "d", "upload", "--", "-odd.prj"}, o, error));
  EXPECT_EQ(o.projectFile, "-odd.prj");
  o = {};
  EXPECT_TRUE(ctl::ParseCtlOptions({"log", "--help"}, o, error));  // help needs no port
  o = {};
  EXPECT_TRUE(ctl::ParseCtlOptions({"-v", "--bogus"}, o, error));  // nor does the version
  o = {};
  ASSERT_TRUE(ctl::ParseCtlOptions({"ports"}, o, error)) << error;
  EXPECT_TRUE(o.listPorts);
}

TEST(CtlOptions, PortArgumentNamesTheDeviceTried) {
  const QList<qtlink::PortEntry> ports{
      {1, "/dev/ttyS0", {}, {}, {}},
      {2, "/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI-if00", "FT232R USB UART", "A1"}};
  std::string error;
#if !defined(_WIN32)
  EXPECT_EQ(ctl::ResolvePortArgument("2", ports, error), "/dev/ttyUSB0");
  EXPECT_EQ(ctl::ResolvePortArgument("ttyUSB1", ports, error), "/dev/ttyUSB1");
#endif
  EXPECT_EQ(ctl::ResolvePortArgument("/tmp/pty", ports, error), "/tmp/pty");
  EXPECT_EQ(error, "");
  EXPECT_EQ(ctl::ResolvePortArgument("0", ports, error), "");
  EXPECT_EQ(error, "there is no port 0 (kx7140ctl ports lists them)");

  EXPECT_EQ(ctl::PortTable(ports),
            "No  Device        Stable name                      Description      Serial number\n"
            " 1  /dev/ttyS0    -                                -                -\n"
            " 2  /dev/ttyUSB0  /dev/serial/by-id/usb-FTDI-if00  FT232R USB UART  A1\n");
  EXPECT_EQ(ctl::PortTable({}), "No serial ports found.\n");
}

TEST(CtlOptions, RefusalsSayWhyOnOneLine) {
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{"--port", "d"}, "no command given"},
      {{"log"}, "--port DEVICE is needed"},
      {{"--port=", "log"}, "--port needs a value"},
      {{"log", "--port"}, "missing value after '--port'"},
      {{"--port", "d", "watch", "--json=1"}, "unexpected value after '--json'"},
      {{"ports", "extra"}, "unexpected argument 'extra'"},
      {{"--port", "d", "fly"}, "unknown command 'fly'"},
      {{"--port", "d", "--speed", "9", "log"}, "unknown option --speed"},
      {{"--port", "d", "-x", "log"}, "unknown option -x"},
      {{"--port", "d", "upload"}, "upload needs a project file"},
      {{"--port", "d", "download", "a.prj", "b.prj"}, "unexpected argument 'b.prj'"},
      {{"--port", "d", "service", "reboot"}, "unknown service command 'reboot'"},
      {{"--port", "d", "log", "--json"}, "--json belongs to the watch, decode and check commands"},
      {{"--port", "d", "log", "--allow-incomplete"}, "--allow-incomplete belongs to the download commands"},
      {{"check", "--csv", "a.prj"}, "--csv belongs to the watch command"},
      {{"--port", "d", "watch", "--seconds", "0"}, "--seconds needs a whole number of at least 1"},
      {{"--port", "d", "--timeout", "-1", "log"}, "--timeout needs a number of seconds above 0"},
      {{"--port", "d", "--timeout", "5s", "log"}, "not '5s'"},
      {{"--port", "d", "--timeout", "nan", "log"}, "--timeout needs"},
      {{"--port", "d", "--timeout", "1e9", "log"}, "--timeout needs"},
  };
  for (const auto& c : cases) {
    ctl::CtlOptions o;
    std::string error;
    EXPECT_FALSE(ctl::ParseCtlOptions(c.args, o, error)) << c.error;
    EXPECT_NE(error.find(c.error), std::string::npos) << "got: " << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}

}  // namespace
