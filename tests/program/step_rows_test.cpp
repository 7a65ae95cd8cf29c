// Step rows on the clipboard: what a paste takes and what it refuses.

#include <gtest/gtest.h>

#include "program/step_rows_text.h"

namespace program {
namespace {

std::string Row(const std::string& duration, const std::string& code = "0", int codes = 32) {
  std::string line = duration;
  for (int g = 0; g < codes; ++g) line += "\t" + code;
  return line;
}

TEST(StepRowsText, RowsRoundTripAndAnythingElseIsRefused) {
  StepRow a{};
  a[0] = 255;
  a[32] = 12;
  StepRow b{};
  b[1] = 15;
  const auto back = ParseStepRowsText(StepRowsText({a, b}));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, (std::vector<StepRow>{a, b}));
  EXPECT_TRUE(ParseStepRowsText(Row("7") + "\n" + Row("8") + "\n").has_value()) << "bare LF";

  std::string hundredAndOne;
  for (int i = 0; i < 101; ++i) hundredAndOne += Row("1") + "\r\n";
  for (const std::string& bad :
       {std::string(), Row("256"), Row("1", "16"), Row("1", "0", 31), Row("1", "0", 33), Row("-1"),
        Row("1", " 2"), Row("x"), Row("1") + "\r\n\r\n" + Row("1"), hundredAndOne}) {
    EXPECT_FALSE(ParseStepRowsText(bad).has_value()) << bad.substr(0, 40);
  }
}

}  // namespace
}  // namespace program
