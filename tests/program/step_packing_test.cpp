#include "program/step_packing.h"

#include <gtest/gtest.h>

#include "model_fixture.h"
#include "program/signal_state.h"

namespace program {
namespace {

using testing::ModelFixture;

TEST(StepPacking, StateByteSplitsIntoTwoGroupsAndJoinsAgain) {
  ModelFixture f;
  auto& m = *f.model;
  m.PgmSteps[4][7][0] = 25;
  m.PgmSteps[4][7][3] = 0x4C;  // state byte 2: groups 5 and 6
  ExpandSteps(m);
  EXPECT_EQ(m.PgmGroups[4][7][0], 25);
  EXPECT_EQ(m.PgmGroups[4][7][5], kStateGreen);
  EXPECT_EQ(m.PgmGroups[4][7][6], kStateGreen | kStateFlashing);
  EXPECT_EQ(PackedGroupCode(m.PgmSteps[4][7], 5), 4);
  EXPECT_EQ(PackedGroupCode(m.PgmSteps[4][7], 6), 12);

  m.PgmSteps[4][7][3] = 0;
  CompactSteps(m);
  EXPECT_EQ(m.PgmSteps[4][7][3], 0x4C);
  EXPECT_EQ(m.PgmSteps[4][7][0], 25);
}

TEST(StepPacking, Step100IsNeverConverted) {
  ModelFixture f;
  auto& m = *f.model;
  m.PgmSteps[9][100][0] = 99;
  m.PgmSteps[9][100][16] = 0x12;
  m.PgmGroups[9][100][0] = 1;
  m.PgmGroups[9][100][32] = 3;
  m.PgmSteps[9][99][1] = 0x21;  // step 99 is converted, though the grid does not show it
  ExpandSteps(m);
  EXPECT_EQ(m.PgmGroups[9][100][0], 1);
  EXPECT_EQ(m.PgmGroups[9][100][32], 3);
  EXPECT_EQ(m.PgmGroups[9][99][1], 2);
  CompactSteps(m);
  EXPECT_EQ(m.PgmSteps[9][100][0], 99);
  EXPECT_EQ(m.PgmSteps[9][100][16], 0x12);
  EXPECT_EQ(m.PgmSteps[9][99][1], 0x21);
}

TEST(StepPacking, OversizedGroupCodeDoesNotSpillIntoItsNeighbour) {
  ModelFixture f;
  auto& m = *f.model;
  m.PgmGroups[2][1][1] = 0x13;  // only the low nibble is a code
  m.PgmGroups[2][1][2] = 0x02;
  CompactSteps(m);
  EXPECT_EQ(m.PgmSteps[2][1][1], 0x32);
}

}  // namespace
}  // namespace program
