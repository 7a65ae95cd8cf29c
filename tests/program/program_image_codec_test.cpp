#include "program/program_image_codec.h"

#include <gtest/gtest.h>

#include <functional>

#include "model_fixture.h"
#include "program/memory_map.h"
#include "program/step_packing.h"

namespace program {

using namespace testing;

TEST(ProgramImageCodec, EditorCycleKeepsEveryByteButTheFlashFillersAndAClearedImageEmptiesTheModel) {
  const auto original = RandomImage(1);
  ModelFixture f;
  *f.image = *original;
  // The load-then-save path of the editor.
  UnpackProgramImage(*f.image, *f.model);
  ExpandSteps(*f.model);
  CompactSteps(*f.model);
  PackProgramImage(*f.model, *f.image);
  for (std::size_t a = 0; a < kProgramImageSize; ++a) {
    const bool filler = (a >= 0x0F11 && a <= 0x0F1F) || (a >= 0x0F91 && a <= 0x0F9F);
    ASSERT_EQ((*f.image)[a], filler ? 0 : (*original)[a]) << "address " << a;
  }

  // A new project empties the model, also where only the model holds bytes.
  f.model->ProjectText[128] = 'Z';  // lives only in the model
  f.model->PgmSettings[0][5] = 1;   // flash records store no settings
  f.model->PgmSteps[25][3][2] = 1;  // records 19-32 are never stored
  ClearProgramImage(*f.image);
  UnpackProgramImage(*f.image, *f.model);
  ExpandSteps(*f.model);
  EXPECT_TRUE(*f.model == *std::make_unique<EditorModel>());
}

TEST(ProgramImageCodec, UnpackPlacesEveryAreaAtItsAddress) {
  const struct {
    std::size_t address;
    std::uint8_t value;
    std::function<int(const EditorModel&)> read;
  } areas[] = {
      {0x0001, 'A', [](auto& m) { return m.ProjectText[1]; }},
      {0x0F00, 'F', [](auto& m) { return m.PgmNames[1][1]; }},  // record 1's name
      {0x0F80, 'S', [](auto& m) { return m.PgmNames[0][1]; }},
      {0x0F90, 7, [](auto& m) { return m.PgmSteps[0][1][0]; }},  // record 0, duration of step 1
      {0x0F15, 9, [](auto& m) { return m.PgmSteps[1][6][0]; }},  // record 1's filler: step 6
      {0x0F2F, 0x91, [](auto& m) { return m.PgmSteps[1][1][16]; }},
      {ProgramRecordBase(10) + 0x144, 33, [](auto& m) { return m.PgmSteps[10][5][0]; }},
      {ProgramRecordBase(17) + 0x1C0 + 16 * 99 + 3, 0xA4, [](auto& m) { return m.PgmSteps[17][100][4]; }},
      {ProgramRecordBase(12) + 0x101, 45, [](auto& m) { return m.PgmSettings[12][1]; }},
      {0x9000 + 128 * 6 + 127, 0x5A, [](auto& m) { return m.WeekTable[6][127]; }},
      // Record 18 starts where the weekly table starts.
      {0x9000, 0x3C, [](auto& m) { return m.PgmNames[18][1]; }},
  };
  ModelFixture f;
  for (const auto& area : areas) (*f.image)[area.address] = area.value;
  UnpackProgramImage(*f.image, *f.model);
  for (const auto& area : areas) EXPECT_EQ(area.read(*f.model), area.value) << std::hex << area.address;
}

TEST(ProgramImageCodec, WeeklyTablePrevailsOverRecord18AndParameterWordsAreUnsignedAndClamped) {
  ModelFixture f;
  *f.image = *RandomImage(11);
  auto& img = *f.image;
  img[0x80] = 0x7F, img[0x81] = 0xFF;  // PR00
  img[0x82] = 0x80, img[0x83] = 0x00;  // PR01: would overflow a signed 16-bit product
  const ProgramImage before = img;
  UnpackProgramImage(img, *f.model);
  ExpandSteps(*f.model);
  EXPECT_EQ(std::pair(f.model->ParamWords[0], f.model->ParamWords[1]), std::pair(32767, 32768));
  f.model->ParamWords[2] = -5;
  f.model->ParamWords[3] = 70000;
  f.model->WeekTable[3][5] = 17;         // day 3, entry 1, program code: flash
  f.model->PgmGroups[18][60][0] = 200;   // record 18 lies under the table here...
  f.model->PgmGroups[18][99][1] = 0x0F;  // ...but not here, past its end at 0x9380
  CompactSteps(*f.model);
  PackProgramImage(*f.model, img);

  EXPECT_EQ(std::vector<int>(img.begin() + 0x80, img.begin() + 0x88),
            (std::vector<int>{0x7F, 0xFF, 0x80, 0x00, 0x00, 0x00, 0xFF, 0xFF}));
  EXPECT_EQ(img[0x9000 + 128 * 3 + 5], 17);
  EXPECT_EQ(img[ProgramRecordBase(18) + 0x140 + 59], before[ProgramRecordBase(18) + 0x140 + 59]);
  const std::size_t tail = ProgramRecordBase(18) + 0x1C0 + 16 * 98;
  EXPECT_EQ(img[tail], (before[tail] & 0x0F) | 0xF0);
}

}  // namespace program
