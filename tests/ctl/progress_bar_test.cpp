// The progress bar: drawn in place only on a terminal, only when the count moved, and
// ended with a full bar when the transfer completed.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "ctl/progress_bar.h"

namespace {

using bus::TransferKind;
using bus::TransferProgress;

TEST(ProgressBar, LineShowsNameBarAndCount) {
  EXPECT_EQ(ctl::ProgressLine({TransferKind::Upload, 256, 512}, 10), "upload [#####-----] 256/512");
  EXPECT_EQ(ctl::ProgressLine({TransferKind::ProgramDownload, 0, 353}, 4), "download [----] 0/353");
  EXPECT_EQ(ctl::ProgressLine({TransferKind::LogRead, 32, 32}, 4), "event log [####] 32/32");
  EXPECT_EQ(ctl::ProgressLine({TransferKind::SystemDownload, 0, 1}, 4), "system memory [----] 0/1");
  // A count past the total never draws past the bar.
  EXPECT_EQ(ctl::ProgressLine({TransferKind::Upload, 600, 512}, 4), "upload [####] 512/512");
}

TEST(ProgressBar, RedrawsOnlyWhenTheTransferMoved) {
  std::ostringstream err;
  ctl::ProgressBar bar(err, true);
  bar.Show({TransferKind::Upload, 1, 512});
  bar.Show({TransferKind::Upload, 1, 512});
  bar.Show({});  // between two reads of the engine nothing is under way
  bar.Show({TransferKind::Upload, 2, 512});
  const std::string text = err.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 2);
  EXPECT_TRUE(text.ends_with("] 2/512"));
  EXPECT_EQ(text.find('\n'), std::string::npos);
}

TEST(ProgressBar, FinishEndsTheLineFullOnlyWhenCompleted) {
  std::ostringstream done;
  ctl::ProgressBar a(done, true);
  a.Show({TransferKind::Upload, 511, 512});
  a.Finish(true);
  EXPECT_TRUE(done.str().ends_with("] 512/512\n")) << done.str();

  std::ostringstream failed;
  ctl::ProgressBar b(failed, true);
  b.Show({TransferKind::Upload, 7, 512});
  b.Finish(false);
  EXPECT_TRUE(failed.str().ends_with("] 7/512\n")) << failed.str();
  b.Finish(false);  // a second end adds no empty line
  const std::string text = failed.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

TEST(ProgressBar, QuietWhenNotATerminalOrNothingWasDrawn) {
  std::ostringstream err;
  ctl::ProgressBar off(err, false);
  off.Show({TransferKind::Upload, 3, 512});
  off.Finish(true);
  ctl::ProgressBar idle(err, true);
  idle.Finish(true);
  EXPECT_EQ(err.str(), "");
}

}  // namespace
