#include "program/parameter_settings.h"

#include <gtest/gtest.h>

#include "model_fixture.h"
#include "program/program_image_codec.h"

namespace program {
namespace {

using testing::ModelFixture;

TEST(ParameterSettings, OutOfRangeValuesAreShownCorrectedAndKeptCorrected) {
  ModelFixture f;
  auto& w = f.model->ParamWords;
  w[0] = 0;
  w[2] = 230;
  w[3] = 10;
  w[9] = 7;
  ParameterSettings s = ShowParameterSettings(*f.model);
  EXPECT_EQ(s.cards, 1);
  EXPECT_EQ(s.limits[0], 215);
  EXPECT_EQ(s.limits[1], 225);
  EXPECT_EQ(s.limits[2], 45);
  EXPECT_EQ(s.flashPeriod, 1);
  EXPECT_EQ(w[0], 1);
  EXPECT_EQ(w[2], 215);

  w[0] = 12;
  s = ShowParameterSettings(*f.model);
  EXPECT_EQ(s.cards, 8);
  StoreParameterSettings(s, *f.model);
  EXPECT_EQ(w[0], 8);
  EXPECT_EQ(w[9], 1);
}

TEST(ParameterSettings, SwitchWordsAreReadAndStoredBitByBit) {
  ModelFixture f;
  auto& w = f.model->ParamWords;
  w[1] = 0x85;
  w[8] = 2;
  ParameterSettings s = ShowParameterSettings(*f.model);
  const std::array<bool, 8> rules{true, false, true, false, false, false, false, true};
  EXPECT_EQ(s.rules, rules);
  EXPECT_FALSE(s.definitions[0]);
  EXPECT_TRUE(s.definitions[1]);
  s.rules[7] = false;
  s.definitions[0] = true;
  StoreParameterSettings(s, *f.model);
  EXPECT_EQ(w[1], 0x05);
  EXPECT_EQ(w[8], 3);
}

TEST(ParameterSettings, FilamentGroupsAreOneByteEachAndTheRestIsCleared) {
  ModelFixture f;
  auto& w = f.model->ParamWords;
  w[30] = 0x1234;
  w[63] = 1;
  w[12] = 0x0300;  // group 5 from a project
  ParameterSettings s = ShowParameterSettings(*f.model);
  EXPECT_TRUE(s.filamentGroups[4]);
  EXPECT_FALSE(s.filamentGroups[5]);
  s.filamentGroups.fill(false);
  s.filamentGroups[0] = true;  // Grup-01
  s.filamentGroups[3] = true;  // Grup-04
  StoreParameterSettings(s, *f.model);
  EXPECT_EQ(w[10], 0x0100);
  EXPECT_EQ(w[11], 0x0001);
  EXPECT_EQ(w[12], 0);
  EXPECT_EQ(w[30], 0);
  EXPECT_EQ(w[63], 0);

  PackProgramImage(*f.model, *f.image);
  for (std::size_t a = 0x94; a < 0xB4; ++a) {
    EXPECT_EQ((*f.image)[a], a == 0x94 || a == 0x97 ? 1 : 0) << a;
  }
}

}  // namespace
}  // namespace program
