#include "program/model_text.h"

#include <gtest/gtest.h>

#include <string>

#include "model_fixture.h"
#include "program/record_names.h"

namespace program {
namespace {

using testing::ModelFixture;

TEST(ModelText, DescriptionStartsAtElementOneAndClearsWhatAShorterTextLeaves) {
  ModelFixture f;
  auto& m = *f.model;
  StoreDescription(m, std::string(128, 'x'));
  EXPECT_EQ(m.ProjectText[0], 0);
  EXPECT_EQ(m.ProjectText[1], 'x');
  EXPECT_EQ(m.ProjectText[128], 'x');

  m.ProjectText[0] = 'Q';  // a stray byte from an old file must not come back
  const Cp1254Text stored = StoreDescription(m, "Kavşak 7");
  EXPECT_EQ(stored.bytes.size(), 8u);
  EXPECT_EQ(m.ProjectText[0], 0);
  EXPECT_EQ(m.ProjectText[4], 0xFE);
  EXPECT_EQ(m.ProjectText[9], 0);
  EXPECT_EQ(m.ProjectText[128], 0);
  EXPECT_EQ(DescriptionText(m), "Kavşak 7");
}

TEST(ModelText, ProgramNameShowsAllSixteenCharacters) {
  ModelFixture f;
  auto& m = *f.model;
  StoreProgramName(m, 5, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(ProgramNameText(m, 5), "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(m.PgmNames[5][0], 0);

  const Cp1254Text shorter = StoreProgramName(m, 5, "Güney girişi uzun ad");
  EXPECT_EQ(shorter.dropped, 4u);
  EXPECT_EQ(ProgramNameText(m, 5), "Güney girişi uzu");
  StoreProgramName(m, 5, "Ada");
  EXPECT_EQ(ProgramNameText(m, 5), "Ada");
}

TEST(ModelText, RecordIndexOutsideTheTablesIsHarmless) {
  ModelFixture f;
  StoreProgramName(*f.model, kRecordCount, "X");
  EXPECT_EQ(ProgramNameText(*f.model, kRecordCount), "");
  EXPECT_EQ(RecordName(18), "");
}

}  // namespace
}  // namespace program
