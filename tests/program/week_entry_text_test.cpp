#include "program/week_entry_text.h"

#include <gtest/gtest.h>

#include "model_fixture.h"

namespace program {

TEST(WeekEntryText, StoringBackKeepsCodesWithoutTextAndDropsMeaninglessOnes) {
  testing::ModelFixture f;
  auto& m = *f.model;
  testing::SetWeekEntry(m, 0, 0, 7, 5, 12, 0xAA);  // code 11-16: no text of its own
  testing::SetWeekEntry(m, 1, 3, 8, 0, 20, 0xBB);  // code 20 shows "--"
  testing::SetWeekEntry(m, 6, 15, 200, 61, 17);    // out-of-range time from a project file
  for (auto [d, e] : {std::pair{0, 0}, {1, 3}, {6, 15}}) StoreWeekEntry(m, d, e, ReadWeekEntry(m, d, e));
  const auto bytes = [&](int d, int e) {
    const auto at = m.WeekTable[static_cast<std::size_t>(d)].begin() + 4 * e;
    return std::vector<int>(at, at + 4);
  };
  EXPECT_EQ((std::vector{bytes(0, 0), bytes(1, 3), bytes(6, 15)}),
            (std::vector<std::vector<int>>{{7, 5, 12, 0xAA}, {8, 0, 0, 0xBB}, {200, 61, 17, 0}}));

  // An edit without a code leaves the stored one.
  StoreWeekEntry(m, 0, 0, {9, 30, std::nullopt});
  EXPECT_EQ(bytes(0, 0), (std::vector<int>{9, 30, 12, 0xAA}));

  // Outside the seven days and sixteen entries nothing is touched.
  for (auto [d, e] : {std::pair{7, 0}, {0, 16}, {-1, 0}}) StoreWeekEntry(m, d, e, {1, 1, 1});
  EXPECT_EQ((std::pair<int, int>(m.WeekTable[7][0], m.WeekTable[1][0])), std::pair(0, 0));
  EXPECT_EQ(ReadWeekEntry(m, 0, 16), WeekEntry{});

  // Typed texts read into parts, and broken parts read empty.
  const auto parts = [](const char* text) {
    std::vector<int> out;
    const WeekCellParts p = ParseWeekCellText(text);
    for (auto part : {p.hour, p.minute, p.code}) out.push_back(part ? int{*part} : -1);
    return out;
  };
  // 200:07 is TimeTableEntry's table's.
  EXPECT_EQ((std::vector{parts("18:45 P-DE"), parts("xx:300 P-??")}),
            (std::vector<std::vector<int>>{{18, 45, 10}, {-1, -1, -1}}));
  for (const char* broken : {"", "07:05 P-"}) EXPECT_FALSE(ParseWeekCellText(broken).code) << broken;
}

}  // namespace program
