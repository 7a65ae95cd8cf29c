// `kx7140ctl watch --csv` on the simulated controller: the service tool's trend
// columns, one row per PC turn, and the option's place on the command line.

#include <sstream>

#include "ctl/exit_status.h"
#include "ctl_fixture.h"
#include "link/trend_series.h"

namespace {

using ctltest::CtlTest;
using ctltest::Lines;
namespace es = ctl::exit_status;

std::vector<std::string> Fields(const std::string& line, char sep) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string f; std::getline(in, f, sep);) fields.push_back(f);
  return fields;
}

TEST_F(CtlTest, WatchCsvWritesTheTrendColumnsOneRowAPcTurn) {
  ASSERT_TRUE(StartSim());
  const auto run = OnSim({"watch", "--seconds", "1", "--csv"});
  ASSERT_EQ(run.status, es::kDone) << run.err;
  std::vector<std::string> lines = Lines(run.out);
  ASSERT_GE(lines.size(), 2u + 5u) << run.out;
  for (std::string& l : lines) {
    ASSERT_FALSE(l.empty());
    ASSERT_EQ(l.back(), '\r') << "CR LF lines, as the saved file has";
    l.pop_back();
  }
  // The system's separator: a comma one puts semicolons between the fields.
  const char decimal = lines[0].back();
  const char sep = decimal == ',' ? ';' : ',';
  EXPECT_EQ(lines[0], std::string("\xEF\xBB\xBFOndalık ayırıcı") + sep + decimal);
  const std::vector<std::string> header = Fields(lines[1], sep);
  ASSERT_EQ(header.size(), std::size_t{3 + bus::kValueSeries + bus::kStepSeries});
  const std::size_t cpuState = 3 + bus::kValueSeries + bus::kCpuStateStep;
  EXPECT_EQ(header[cpuState], "CPU durum");
  for (std::size_t i = 2; i < lines.size(); ++i) {
    const std::vector<std::string> row = Fields(lines[i], sep);
    ASSERT_EQ(row.size(), header.size()) << lines[i];
    EXPECT_EQ(row[2], "1") << "one PC turn a row";
    EXPECT_EQ(row[0].size(), std::string("2024-01-01 08:00:04.200").size()) << row[0];
  }
  EXPECT_EQ(Fields(lines.back(), sep)[cpuState], "2") << "the simulated CPU runs";
}

TEST(CtlWatchCsvOptions, CsvBelongsToWatchAndNotBesideJson) {
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{"--port", "d", "log", "--csv"}, "--csv belongs to the watch command"},
      {{"--port", "d", "watch", "--csv", "--json"}, "--json and --csv do not go together"},
  };
  for (const auto& c : cases) {
    ctl::CtlOptions o;
    std::string error;
    EXPECT_FALSE(ctl::ParseCtlOptions(c.args, o, error));
    EXPECT_EQ(error, c.error);
  }
  ctl::CtlOptions o;
  std::string error;
  ASSERT_TRUE(ctl::ParseCtlOptions({"--port", "d", "watch", "--csv"}, o, error)) << error;
  EXPECT_TRUE(o.csv);
}

}  // namespace
