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

TEST(WeekEntryText, ReadingBackKeepsWhatHasNoTextAndDropsMeaninglessCodes) {
  ModelFixture f;
  auto& m = *f.model;
  SetEntry(m, 0, 0, 7, 5, 12, 0xAA);  // code 11-16: no text of its own
  SetEntry(m, 1, 3, 8, 0, 20, 0xBB);  // code 20 shows "--"
  SetEntry(m, 6, 15, 200, 61, 17);    // out-of-range time from a project file
  for (auto [d, e] : {std::pair{0, 0}, {1, 3}, {6, 15}}) {
    StoreWeekEntryCellText(m, d, e, WeekEntryCellText(m, d, e));
  }
  EXPECT_EQ(m.WeekTable[0][2], 12);
  EXPECT_EQ(m.WeekTable[0][3], 0xAA);
  EXPECT_EQ(m.WeekTable[1][12 + 2], 0);
  EXPECT_EQ(m.WeekTable[1][12 + 3], 0xBB);
  EXPECT_EQ(m.WeekTable[6][60], 200);
  EXPECT_EQ(m.WeekTable[6][61], 61);
  EXPECT_EQ(m.WeekTable[6][62], 17);
}

TEST(WeekEntryText, EditedTextsAreStoredAndBrokenPartsKeepTheEntry) {
  ModelFixture f;
  auto& m = *f.model;
  SetEntry(m, 2, 1, 9, 15, 4);
  StoreWeekEntryCellText(m, 2, 1, "18:45 P-DE");
  EXPECT_EQ(m.WeekTable[2][4], 18);
  EXPECT_EQ(m.WeekTable[2][5], 45);
  EXPECT_EQ(m.WeekTable[2][6], 10);

  StoreWeekEntryCellText(m, 2, 1, "xx:300 P-??");
  EXPECT_EQ(m.WeekTable[2][4], 18);
  EXPECT_EQ(m.WeekTable[2][5], 45);
  EXPECT_EQ(m.WeekTable[2][6], 10);
  StoreWeekEntryCellText(m, 2, 1, "");
  EXPECT_EQ(m.WeekTable[2][6], 10);

  // Outside the seven days and sixteen entries nothing is touched.
  StoreWeekEntryCellText(m, 7, 0, "01:01 P-01");
  StoreWeekEntryCellText(m, 0, 16, "01:01 P-01");
  StoreWeekEntryCellText(m, -1, 0, "01:01 P-01");
  EXPECT_EQ(m.WeekTable[7][0], 0);
  EXPECT_EQ(m.WeekTable[1][0], 0);
  EXPECT_EQ(WeekEntryCellText(m, 0, 16), "");
}

}  // namespace
}  // namespace program
