#include "program/step_packing.h"

#include <gtest/gtest.h>

#include "model_fixture.h"
#include "program/signal_state.h"

namespace program {

TEST(StepPacking, StateByteSplitsIntoTwoGroupsAndJoinsAgainButStep100IsNeverConverted) {
  testing::ModelFixture f;
  auto& m = *f.model;
  m.PgmSteps[4][7][0] = 25;
  m.PgmSteps[4][7][3] = 0x4C;  // state byte 2: groups 5 and 6
  m.PgmSteps[9][100][0] = 99;
  m.PgmSteps[9][100][16] = 0x12;
  m.PgmGroups[9][100][0] = 1;
  m.PgmGroups[9][100][32] = 3;
  m.PgmSteps[9][99][1] = 0x21;  // step 99 is converted, though the grid does not show it
  ExpandSteps(m);
  const auto& g = m.PgmGroups;
  EXPECT_EQ((std::vector<int>{g[4][7][0], g[4][7][5], g[4][7][6], g[9][100][0], g[9][100][32], g[9][99][1]}),
            (std::vector<int>{25, kStateGreen, kStateGreen | kStateFlashing, 1, 3, 2}));

  m.PgmSteps[4][7][3] = 0;
  CompactSteps(m);
  const auto& s = m.PgmSteps;
  EXPECT_EQ((std::vector<int>{s[4][7][3], s[4][7][0], s[9][100][0], s[9][100][16], s[9][99][1]}),
            (std::vector<int>{0x4C, 25, 99, 0x12, 0x21}));

  // Only the low nibble is a code: an oversized one does not spill into its neighbour.
  m.PgmGroups[2][1][1] = 0x13;
  m.PgmGroups[2][1][2] = 0x02;
  CompactSteps(m);
  EXPECT_EQ(m.PgmSteps[2][1][1], 0x32);
}

}  // namespace program
