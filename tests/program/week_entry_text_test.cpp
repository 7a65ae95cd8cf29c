#include "program/week_entry_text.h"

#include <gtest/gtest.h>

#include "model_fixture.h"

namespace program {
namespace {

using testing::ModelFixture;

void SetEntry(EditorModel& m, int d, int e, std::uint8_t h, std::uint8_t min, std::uint8_t code,
              std::uint8_t fourth = 0) {
  auto& day = m.WeekTable[static_cast<std::size_t>(d)];
  const std::size_t at = 4 * static_cast<std::size_t>(e);
  day[at] = h;
  day[at + 1] = min;
  day[at + 2] = code;
  day[at + 3] = fourth;
}

TEST(WeekEntryText, CellTextsOfEveryKindOfCode) {
  EXPECT_EQ(WeekCellText(7, 5, 3), "07:05 P-03");
  EXPECT_EQ(WeekCellText(23, 59, 9), "23:59 P-YB");
  EXPECT_EQ(WeekCellText(0, 0, 10), "00:00 P-DE");
  EXPECT_EQ(WeekCellText(12, 30, 17), "12:30 P-FL");
  EXPECT_EQ(WeekCellText(6, 0, 0), "06:00 P---");
  EXPECT_EQ(WeekCellText(6, 0, 20), "06:00 P---");
  EXPECT_EQ(WeekCellText(6, 0, 12), "06:00 P-");
}

TEST(WeekEntryText, StoringBackKeepsCodesWithoutTextAndDropsMeaninglessOnes) {
  ModelFixture f;
  auto& m = *f.model;
  SetEntry(m, 0, 0, 7, 5, 12, 0xAA);  // code 11-16: no text of its own
  SetEntry(m, 1, 3, 8, 0, 20, 0xBB);  // code 20 shows "--"
  SetEntry(m, 6, 15, 200, 61, 17);    // out-of-range time from a project file
  EXPECT_EQ(WeekCellText(ReadWeekEntry(m, 1, 3)), "08:00 P---");
  for (auto [d, e] : {std::pair{0, 0}, {1, 3}, {6, 15}}) StoreWeekEntry(m, d, e, ReadWeekEntry(m, d, e));
  EXPECT_EQ(m.WeekTable[0][2], 12);
  EXPECT_EQ(m.WeekTable[0][3], 0xAA);
  EXPECT_EQ(m.WeekTable[1][12 + 2], 0);
  EXPECT_EQ(m.WeekTable[1][12 + 3], 0xBB);
  EXPECT_EQ(m.WeekTable[6][60], 200);
  EXPECT_EQ(m.WeekTable[6][61], 61);
  EXPECT_EQ(m.WeekTable[6][62], 17);

  // An edit without a code leaves the stored one.
  StoreWeekEntry(m, 0, 0, {9, 30, std::nullopt});
  EXPECT_EQ(m.WeekTable[0][0], 9);
  EXPECT_EQ(m.WeekTable[0][2], 12);
  EXPECT_EQ(WeekCellText(WeekEntry{9, 30, std::nullopt}), "09:30 P-");

  // Outside the seven days and sixteen entries nothing is touched.
  StoreWeekEntry(m, 7, 0, {1, 1, 1});
  StoreWeekEntry(m, 0, 16, {1, 1, 1});
  StoreWeekEntry(m, -1, 0, {1, 1, 1});
  EXPECT_EQ(m.WeekTable[7][0], 0);
  EXPECT_EQ(m.WeekTable[1][0], 0);
  EXPECT_EQ(ReadWeekEntry(m, 0, 16), WeekEntry{});
}

TEST(WeekEntryText, TextsReadIntoPartsAndBrokenPartsReadEmpty) {
  const WeekCellParts edited = ParseWeekCellText("18:45 P-DE");
  EXPECT_EQ(edited.hour, 18);
  EXPECT_EQ(edited.minute, 45);
  EXPECT_EQ(edited.code, 10);
  const WeekCellParts wide = ParseWeekCellText("200:07 P-02");
  EXPECT_EQ(wide.hour, 200);
  EXPECT_EQ(wide.minute, 7);
  EXPECT_EQ(wide.code, 2);
  for (const char* broken : {"xx:300 P-??", "", "07:05 P-"}) {
    EXPECT_FALSE(ParseWeekCellText(broken).code) << broken;
  }
  EXPECT_FALSE(ParseWeekCellText("xx:300 P-??").hour);
  EXPECT_FALSE(ParseWeekCellText("xx:300 P-??").minute);
}

}  // namespace
}  // namespace program
