#include "program/junction_data.h"

#include <gtest/gtest.h>

namespace program {

TEST(JunctionData, ConflictsHoldInBothDirectionsAndNamesAreTrimmedAndNonsenseIsRefused) {
  JunctionData d;
  EXPECT_TRUE(SetConflict(d, 1, 32, 5, 0));
  EXPECT_EQ(std::tuple(Conflicting(d, 32, 1), MinIntergreen(d, 1, 32), MinIntergreen(d, 32, 1)),
            std::tuple(true, 5, 0));
  for (auto [a, b, s] : {std::tuple{0, 2, 1}, {1, 33, 1}, {4, 4, 1}, {1, 2, 256}, {1, 2, -1}}) {
    EXPECT_FALSE(SetConflict(d, a, b, s, s)) << a << " " << b << " " << s;
  }
  // Seconds given for one direction only still make a pair; the other counts as 0.
  d.intergreen[2][5] = 9;
  EXPECT_EQ(std::pair(Conflicting(d, 6, 3), MinIntergreen(d, 6, 3)), std::pair(true, 0));
  ClearConflict(d, 32, 1);
  EXPECT_EQ(std::pair(Conflicting(d, 1, 32), MinIntergreen(d, 1, 32)), std::pair(false, kNoConflict));

  EXPECT_TRUE(SetGroupName(d, 5, "  Y1 yaya  "));
  EXPECT_EQ(GroupName(d, 5), "Y1 yaya");
  // 32 characters, Turkish letters two bytes each in UTF-8.
  EXPECT_TRUE(SetGroupName(d, 6, "ŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞ"));
  for (const char* bad : {"ŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞ", "a\nb", "\xFF", "a\xC2\x85"}) {
    EXPECT_FALSE(GroupNameProblem(bad).empty()) << bad;
    EXPECT_FALSE(SetGroupName(d, 5, bad)) << bad;
  }
  EXPECT_EQ(GroupName(d, 5), "Y1 yaya");
  EXPECT_EQ(std::pair(SetGroupName(d, 33, "x"), GroupName(d, 0)), std::pair(false, std::string_view()));
}

}  // namespace program
