// kx7140-sim's command line: the option style of the two Qt programs, with one
// clear reason for each refusal.

#include <gtest/gtest.h>

#include "sim/app/command_line.h"

namespace {

using sim::app::ParseCommandLine;

TEST(SimCommandLine, TakesEveryFormTheQtProgramsTake) {
  std::string error;
  const auto cl =
      ParseCommandLine({"--seed=7", "-loss", "0.5", "--card-fault", "3", "--port", "/dev/x"}, error);
  ASSERT_TRUE(cl) << error;
  EXPECT_EQ(cl->sim.seed, 7u);
  EXPECT_EQ(cl->sim.loss, 0.5);
  EXPECT_TRUE(cl->sim.cardFault[2]);
  EXPECT_EQ(cl->portDevice, "/dev/x");
  EXPECT_TRUE(ParseCommandLine({"-v"}, error)->version);
  EXPECT_TRUE(ParseCommandLine({"--help", "--"}, error)->help);
}

TEST(SimCommandLine, RefusalsSayWhy) {
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{"--bogus"}, "unknown option --bogus"},
      {{"-x"}, "unknown option -x"},
      {{"--port"}, "missing value after '--port'"},
      {{"--version=2"}, "unexpected value after '--version'"},
      {{"file"}, "unexpected argument file"},
      {{"--", "--seed"}, "unexpected argument --seed"},
      {{"--program", "19"}, "bad value for --program: 19"},
      {{"--noise=-0.1"}, "bad value for --noise"},
      {{"--link", "l", "--port", "p"}, "cannot go with --port"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseCommandLine(c.args, error)) << c.error;
    EXPECT_NE(error.find(c.error), std::string::npos) << "got: " << error;
  }
}

}  // namespace
