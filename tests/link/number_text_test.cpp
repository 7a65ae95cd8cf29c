// Decimal texts from exact integers: rounding, grouping and the shortest form.

#include <gtest/gtest.h>

#include <climits>

#include "link/number_text.h"

using namespace bus;

TEST(NumberText, HalvesRoundAwayFromZeroAndTexts) {
  const auto quotient = [](std::int64_t a, std::int64_t b) { return std::to_string(RoundedQuotient(a, b)); };
  const NumberSeparators point{".", ","}, comma{",", "."};
  const std::pair<std::string, std::string> cases[] = {
      // got, wanted
      {quotient(125, 10), "13"},
      {quotient(124, 10), "12"},
      {quotient(-125, 10), "-13"},
      {quotient(INT64_MIN, 2), std::to_string(INT64_MIN / 2)},
      {quotient(5, 0), "0"},  // no division by zero
      {FixedText(5, 2, true, point), "0.05"},
      {FixedText(42948362, 2, true, comma), "429.483,62"},
      {FixedText(100000000, 2, true, point), "1,000,000.00"},
      {FixedText(42948362, 2, false, point), "429483.62"},
      {FixedText(-5, 2, true, point), "-0.05"},
      {FixedText(INT64_MIN, 0, false, point), "-9223372036854775808"},
      {ShortFixedText(23050, 2, comma), "230,5"},
      {ShortFixedText(0, 2, point), "0"},
      {ShortFixedText(-150, 2, point), "-1.5"},
      {ShortFixedText(23050, 2, {"", ""}), "23050"},  // no separator: no digit lost
      {ZeroPadded(-5, 2), "-05"},
      {ZeroPadded(12345, 2), "12345"},
  };
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
}
