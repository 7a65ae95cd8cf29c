// The progress bar: a count past the total stays within the bar, where a longer one
// would ask for a string of negative length. The bar drawn on a terminal and ended
// full: ctl_sim_test's download.

#include <gtest/gtest.h>

#include "ctl/progress_bar.h"

namespace {

TEST(ProgressBar, CountStaysWithinTheBar) {
  EXPECT_EQ(ctl::ProgressLine({bus::TransferKind::Upload, 600, 512}, 4), "upload [####] 512/512");
}

}  // namespace
