// Number and line texts of the monitoring views, without a display.

#include <gtest/gtest.h>

#include "monitor/buffer_lines.h"
#include "monitor/number_text.h"

using namespace monitor;

namespace {
const NumberSeparators kPoint{".", ","};
const NumberSeparators kTurkish{",", "."};
}  // namespace

TEST(NumberText, HalvesRoundAwayFromZero) {
  EXPECT_EQ(RoundedQuotient(125, 10), 13);
  EXPECT_EQ(RoundedQuotient(124, 10), 12);
  EXPECT_EQ(RoundedQuotient(-125, 10), -13);
  EXPECT_EQ(RoundedQuotient(-124, 10), -12);
  EXPECT_EQ(RoundedQuotient(65535, 10), 6554);
  EXPECT_EQ(RoundedQuotient(5, 0), 0) << "no division by zero";
}

TEST(NumberText, FixedTextGroupsThousandsWithTheGivenSeparators) {
  EXPECT_EQ(FixedText(34500, 2, true, kPoint), "345.00");
  EXPECT_EQ(FixedText(0, 2, true, kPoint), "0.00");
  EXPECT_EQ(FixedText(5, 2, true, kPoint), "0.05");
  EXPECT_EQ(FixedText(42948362, 2, true, kPoint), "429,483.62");
  EXPECT_EQ(FixedText(42948362, 2, true, kTurkish), "429.483,62");
  EXPECT_EQ(FixedText(100000000, 2, true, kPoint), "1,000,000.00");
  EXPECT_EQ(FixedText(42948362, 2, false, kPoint), "429483.62");
  EXPECT_EQ(FixedText(-1, 0, false, kPoint), "-1");
  EXPECT_EQ(FixedText(-5, 2, true, kPoint), "-0.05");
  EXPECT_EQ(FixedText(INT64_MIN, 0, false, kPoint), "-9223372036854775808");
}

TEST(NumberText, HundredthsInShortestForm) {
  EXPECT_EQ(HundredthsText(23000, kPoint), "230");
  EXPECT_EQ(HundredthsText(23050, kPoint), "230.5");
  EXPECT_EQ(HundredthsText(23050, kTurkish), "230,5");
  EXPECT_EQ(HundredthsText(5000, kPoint), "50");
  EXPECT_EQ(HundredthsText(5, kPoint), "0.05");
  EXPECT_EQ(HundredthsText(150, kPoint), "1.5");
  EXPECT_EQ(HundredthsText(0, kPoint), "0");
  EXPECT_EQ(HundredthsText(65535, kPoint), "655.35") << "never grouped";
}

TEST(NumberText, ZeroPaddedNeverCutsWideValues) {
  EXPECT_EQ(ZeroPadded(1, 2), "01");
  EXPECT_EQ(ZeroPadded(0, 4), "0000");
  EXPECT_EQ(ZeroPadded(2024, 4), "2024");
  EXPECT_EQ(ZeroPadded(65535, 2), "65535");
  EXPECT_EQ(ZeroPadded(-5, 2), "-05");
}

TEST(BufferLines, LinesCoverTheWholeImage) {
  program::ProgramImage image{};
  EXPECT_EQ(kBufferLines, 4096);
  EXPECT_EQ(BufferLine(image, 0), "P0000:" + std::string(32, '0'));
  EXPECT_EQ(BufferLine(image, 4095), "PFFF0:" + std::string(32, '0'));
  EXPECT_EQ(BufferLine(image, 4095).size(), 38u);
  image[0x0012] = 0xAB;
  image[0xFFFF] = 0x5C;
  EXPECT_EQ(BufferLine(image, 1), "P0010:0000AB" + std::string(26, '0'));
  EXPECT_EQ(BufferLine(image, 4095), "PFFF0:" + std::string(30, '0') + "5C");
  EXPECT_EQ(BufferLine(image, -1), "");
  EXPECT_EQ(BufferLine(image, 4096), "");
}
