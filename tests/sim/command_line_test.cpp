// kx7140-sim's command line: the option style of the two Qt programs, with one
// clear reason for each refusal.

#include <gtest/gtest.h>

#include "sim/app/command_line.h"

namespace {

using sim::app::ParseCommandLine;

TEST(SimCommandLine, TakesEveryFormTheQtProgramsTakeAndRefusesBadValuesAndConflicts) {
  std::string error;
  const auto cl =
      ParseCommandLine({"--seed=7", "-loss", "0.5", "--card-fault", "3", "--port", "/dev/x"}, error);
  ASSERT_TRUE(cl) << error;
  EXPECT_EQ(std::make_tuple(cl->sim.seed, cl->sim.loss, cl->sim.cardFault[2], cl->portDevice),
            std::make_tuple(7u, 0.5, true, std::string("/dev/x")));
  EXPECT_TRUE(ParseCommandLine({"-v"}, error)->version && ParseCommandLine({"--help", "--"}, error)->help);
  const std::vector<std::vector<std::string>> refused = {{"--port"},       {"file"},
                                                         {"--", "--seed"}, {"--program", "19"},
                                                         {"--noise=-0.1"}, {"--link", "l", "--port", "p"}};
  for (const auto& bad : refused) EXPECT_TRUE(!ParseCommandLine(bad, error) && error != "") << bad.back();
}

}  // namespace
