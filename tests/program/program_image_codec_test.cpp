#include "program/program_image_codec.h"

#include <gtest/gtest.h>

#include "model_fixture.h"
#include "program/memory_map.h"
#include "program/step_packing.h"

namespace program {
namespace {

using testing::ModelFixture;
using testing::RandomImage;

bool InFlashFillerBytes(std::size_t a) {
  return (a >= 0x0F11 && a <= 0x0F1F) || (a >= 0x0F91 && a <= 0x0F9F);
}

// The load-then-save path of the editor: unpack, expand, compact, pack.
void EditorCycle(ProgramImage& image, EditorModel& model) {
  UnpackProgramImage(image, model);
  ExpandSteps(model);
  CompactSteps(model);
  PackProgramImage(model, image);
}

TEST(ProgramImageCodec, EditorCycleKeepsEveryByteButTheFlashFillers) {
  for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
    const auto original = RandomImage(seed);
    ModelFixture f;
    *f.image = *original;
    EditorCycle(*f.image, *f.model);
    for (std::size_t a = 0; a < kProgramImageSize; ++a) {
      if (InFlashFillerBytes(a)) {
        ASSERT_EQ((*f.image)[a], 0) << "seed " << seed << " address " << a;
      } else {
        ASSERT_EQ((*f.image)[a], (*original)[a]) << "seed " << seed << " address " << a;
      }
    }
  }
}

TEST(ProgramImageCodec, UnpackPlacesEveryAreaAtItsAddress) {
  ModelFixture f;
  auto& img = *f.image;
  img[0x0001] = 'A';
  img[0x0086] = 0x12;  // PR03
  img[0x0087] = 0x34;
  img[0x0F00] = 'F';                                        // record 1 name
  img[0x0F80] = 'S';                                        // record 0 name
  img[0x0F90] = 7;                                          // record 0, duration of step 1
  img[0x0F15] = 9;                                          // record 1 filler: "duration" of step 6
  img[0x0F2F] = 0x91;                                       // record 1, step 1, state byte 15
  img[ProgramRecordBase(2)] = 'P';                          // record 2 name
  img[ProgramRecordBase(10) + 0x144] = 33;                  // record 10, duration of step 5
  img[ProgramRecordBase(17) + 0x1C0 + 16 * 99 + 3] = 0xA4;  // record 17, step 100
  img[ProgramRecordBase(12) + 0x101] = 45;                  // record 12, waiting time
  img[0x9000 + 128 * 6 + 127] = 0x5A;                       // weekly table, day 6, last byte

  UnpackProgramImage(img, *f.model);
  const auto& m = *f.model;
  EXPECT_EQ(m.ProjectText[1], 'A');
  EXPECT_EQ(m.ParamWords[3], 0x1234);
  EXPECT_EQ(m.PgmNames[1][1], 'F');
  EXPECT_EQ(m.PgmNames[0][1], 'S');
  EXPECT_EQ(m.PgmSteps[0][1][0], 7);
  EXPECT_EQ(m.PgmSteps[1][6][0], 9);
  EXPECT_EQ(m.PgmSteps[1][1][16], 0x91);
  EXPECT_EQ(m.PgmNames[2][1], 'P');
  EXPECT_EQ(m.PgmSteps[10][5][0], 33);
  EXPECT_EQ(m.PgmSteps[17][100][4], 0xA4);
  EXPECT_EQ(m.PgmSettings[12][1], 45);
  EXPECT_EQ(m.WeekTable[6][127], 0x5A);
  // Record 18 starts where the weekly table starts.
  EXPECT_EQ(m.PgmNames[18][1], img[0x9000]);
}

TEST(ProgramImageCodec, ClearedImageGivesAnAllZeroModelWhateverItHeldBefore) {
  ModelFixture f;
  UnpackProgramImage(*RandomImage(7), *f.model);
  ExpandSteps(*f.model);
  f.model->ProjectText[128] = 'Z';  // lives only in the model
  f.model->PgmSettings[0][5] = 1;   // flash records store no settings
  f.model->PgmSteps[25][3][2] = 1;  // records 19-32 are never stored

  ClearProgramImage(*f.image);
  UnpackProgramImage(*f.image, *f.model);
  ExpandSteps(*f.model);

  const auto& m = *f.model;
  for (auto b : m.ProjectText) ASSERT_EQ(b, 0);
  for (auto w : m.ParamWords) ASSERT_EQ(w, 0);
  for (const auto& r : m.PgmNames)
    for (auto b : r) ASSERT_EQ(b, 0);
  for (const auto& r : m.PgmSettings)
    for (auto b : r) ASSERT_EQ(b, 0);
  for (const auto* table : {&m.PgmSteps, &m.PgmGroups}) {
    for (const auto& rec : *table)
      for (const auto& row : rec)
        for (auto b : row) ASSERT_EQ(b, 0);
  }
  for (const auto& d : m.WeekTable)
    for (auto b : d) ASSERT_EQ(b, 0);
}

TEST(ProgramImageCodec, ParameterWordsAreUnsignedAndPackClampsOutOfRangeValues) {
  ModelFixture f;
  auto& img = *f.image;
  img[0x80] = 0x7F, img[0x81] = 0xFF;  // PR00
  img[0x82] = 0x80, img[0x83] = 0x00;  // PR01: would overflow a signed 16-bit product
  UnpackProgramImage(img, *f.model);
  EXPECT_EQ(f.model->ParamWords[0], 32767);
  EXPECT_EQ(f.model->ParamWords[1], 32768);

  f.model->ParamWords[2] = -5;
  f.model->ParamWords[3] = 70000;
  PackProgramImage(*f.model, img);
  const std::uint8_t expected[] = {0x7F, 0xFF, 0x80, 0x00, 0x00, 0x00, 0xFF, 0xFF};
  for (std::size_t i = 0; i < sizeof expected; ++i) EXPECT_EQ(img[0x80 + i], expected[i]) << i;
}

TEST(ProgramImageCodec, WeeklyTablePrevailsOverRecord18AndRecord18KeepsItsTail) {
  ModelFixture f;
  *f.image = *RandomImage(11);
  const ProgramImage before = *f.image;
  UnpackProgramImage(*f.image, *f.model);
  ExpandSteps(*f.model);
  f.model->WeekTable[3][5] = 17;         // day 3, entry 1, program code: flash
  f.model->PgmGroups[18][60][0] = 200;   // record 18 lies under the table here...
  f.model->PgmGroups[18][99][1] = 0x0F;  // ...but not here (0x9000+0x1C0+16*98)
  CompactSteps(*f.model);
  PackProgramImage(*f.model, *f.image);

  EXPECT_EQ((*f.image)[0x9000 + 128 * 3 + 5], 17);
  EXPECT_EQ((*f.image)[ProgramRecordBase(18) + 0x140 + 59], before[ProgramRecordBase(18) + 0x140 + 59]);
  const std::size_t tail = ProgramRecordBase(18) + 0x1C0 + 16 * 98;
  EXPECT_GE(tail, 0x9380u);
  EXPECT_EQ((*f.image)[tail], (before[tail] & 0x0F) | 0xF0);
}

}  // namespace
}  // namespace program
