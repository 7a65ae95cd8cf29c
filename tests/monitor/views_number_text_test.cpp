// Number and line texts of the monitoring views, without a display.

#include <gtest/gtest.h>

#include "monitor/buffer_lines.h"
#include "monitor/number_text.h"

using namespace monitor;

TEST(NumberText, HalvesRoundAwayFromZero) {
  EXPECT_EQ(RoundedQuotient(125, 10), 13);
  EXPECT_EQ(RoundedQuotient(124, 10), 12);
  EXPECT_EQ(RoundedQuotient(-125, 10), -13);
  EXPECT_EQ(RoundedQuotient(5, 0), 0) << "no division by zero";
}

TEST(NumberText, FixedTextGroupsThousandsWithTheGivenSeparators) {
  const NumberSeparators point{".", ","};
  EXPECT_EQ(FixedText(5, 2, true, point), "0.05");
  EXPECT_EQ(FixedText(42948362, 2, true, point), "429,483.62");
  EXPECT_EQ(FixedText(42948362, 2, true, {",", "."}), "429.483,62");
  EXPECT_EQ(FixedText(100000000, 2, true, point), "1,000,000.00");
  EXPECT_EQ(FixedText(42948362, 2, false, point), "429483.62");
  EXPECT_EQ(FixedText(-5, 2, true, point), "-0.05");
  EXPECT_EQ(FixedText(INT64_MIN, 0, false, point), "-9223372036854775808");
  EXPECT_EQ(HundredthsText(-150, point), "-1.5");
  EXPECT_EQ(ZeroPadded(-5, 2), "-05");
}

TEST(BufferLines, LastByteAndIndexesOutside) {
  program::ProgramImage image{};
  image[0xFFFF] = 0x5C;
  EXPECT_EQ(BufferLine(image, 4095), "PFFF0:" + std::string(30, '0') + "5C");
  EXPECT_EQ(BufferLine(image, -1), "");
  EXPECT_EQ(BufferLine(image, 4096), "");
}
