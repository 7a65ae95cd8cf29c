// The progress bar: drawn in place only when the count moved, and ended with a full
// bar when the transfer completed (that a pipe gets nothing: ctl_sim_test's log).

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "ctl/progress_bar.h"

namespace {

using bus::TransferKind;

TEST(ProgressBar, CountStaysWithinTheBarRedrawsOnlyOnChangeAndEndsFullWhenCompleted) {
  EXPECT_EQ(ctl::ProgressLine({TransferKind::Upload, 256, 512}, 10), "upload [#####-----] 256/512");
  EXPECT_EQ(ctl::ProgressLine({TransferKind::ProgramDownload, 0, 353}, 4), "download [----] 0/353");
  EXPECT_EQ(ctl::ProgressLine({TransferKind::Upload, 600, 512}, 4), "upload [####] 512/512");

  std::ostringstream err;
  ctl::ProgressBar bar(err, true);
  bar.Show({TransferKind::Upload, 510, 512});
  bar.Show({TransferKind::Upload, 510, 512});
  bar.Show({});  // between two commands of the engine nothing is under way
  bar.Show({TransferKind::Upload, 511, 512});
  bar.Finish(true);
  bar.Finish(true);  // a second end adds no empty line
  const std::string text = err.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 3);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
  EXPECT_TRUE(text.ends_with("] 512/512\n")) << text;

  std::ostringstream failed;
  ctl::ProgressBar stopped(failed, true);
  stopped.Show({TransferKind::LogRead, 7, 32});
  stopped.Finish(false);
  EXPECT_TRUE(failed.str().ends_with("] 7/32\n")) << failed.str();
}

}  // namespace
