#include "program/model_text.h"

#include <gtest/gtest.h>

#include "model_fixture.h"
#include "program/record_names.h"

namespace program {

TEST(ModelText, DescriptionStartsAtElementOneProgramNamesCutAtSixteenAndBadIndexesAreHarmless) {
  testing::ModelFixture f;
  auto& m = *f.model;
  StoreDescription(m, std::string(128, 'x'));
  EXPECT_EQ((std::vector<int>{m.ProjectText[0], m.ProjectText[1], m.ProjectText[128]}),
            (std::vector<int>{0, 'x', 'x'}));
  m.ProjectText[0] = 'Q';  // a stray byte from an old file must not come back
  StoreDescription(m, "Kavşak 7");
  EXPECT_EQ((std::vector<int>{m.ProjectText[0], m.ProjectText[4], m.ProjectText[9], m.ProjectText[128]}),
            (std::vector<int>{0, 0xFE, 0, 0}));
  EXPECT_EQ(DescriptionText(m), "Kavşak 7");

  EXPECT_EQ(StoreProgramName(m, 5, "Güney girişi uzun ad").dropped, 4u);
  EXPECT_EQ(ProgramNameText(m, 5), "Güney girişi uzu");
  StoreProgramName(m, 5, "Ada");
  EXPECT_EQ(ProgramNameText(m, 5), "Ada");

  StoreProgramName(m, kRecordCount, "X");
  EXPECT_TRUE(ProgramNameText(m, kRecordCount).empty() && RecordName(18).empty());
}

}  // namespace program
