#include "program/duration_text.h"

#include <gtest/gtest.h>

namespace program {

TEST(DurationText, BytesAreTakenWholeNumberPartIncludedAnythingElseLeavesTheDuration) {
  const std::pair<const char*, int> taken[] = {{"0", 0},     {"255", 255}, {" 12 ", 12}, {"+7", 7},
                                               {"12.7", 12}, {"12,7", 12}, {"0007", 7}};
  for (auto [text, seconds] : taken) EXPECT_EQ(ParseDurationText(text), seconds) << text;
  for (const char* t : {"256", "300", "-1", "-0", "", "  ", "abc", "12a", "1e2", "12..", "99999999999"}) {
    EXPECT_FALSE(ParseDurationText(t).has_value()) << t;
  }
}

}  // namespace program
