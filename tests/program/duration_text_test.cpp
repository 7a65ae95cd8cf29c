#include "program/duration_text.h"

#include <gtest/gtest.h>

namespace program {
namespace {

TEST(DurationText, BytesAreTakenWholeNumberPartIncluded) {
  EXPECT_EQ(ParseDurationText("0"), 0);
  EXPECT_EQ(ParseDurationText("255"), 255);
  EXPECT_EQ(ParseDurationText(" 12 "), 12);
  EXPECT_EQ(ParseDurationText("+7"), 7);
  EXPECT_EQ(ParseDurationText("12.7"), 12);
  EXPECT_EQ(ParseDurationText("12,7"), 12);
  EXPECT_EQ(ParseDurationText("0007"), 7);
}

TEST(DurationText, AnythingElseLeavesTheDuration) {
  for (const char* t : {"256", "300", "-1", "-0", "", "  ", "abc", "12a", "1e2", "12..", "99999999999"}) {
    EXPECT_FALSE(ParseDurationText(t).has_value()) << t;
  }
}

}  // namespace
}  // namespace program
