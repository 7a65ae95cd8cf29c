#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/line_cutter.h"

using bus::LineCutter;

TEST(LineCutter, CutsAtLineFeedAcrossEvents) {
  LineCutter c;
  // A line split over two events comes out once, two lines of one event in order, and
  // a lone CR LF is a line too.
  std::vector<std::string> lines;
  for (const char* chunk : {":0103", "AB\r\n:2", "0CE\r\n:10\r\n", "\r\n:33"})
    c.Feed(chunk, [&](std::string_view l) { lines.emplace_back(l); });
  EXPECT_EQ(lines, (std::vector<std::string>{":0103AB\r\n", ":20CE\r\n", ":10\r\n", "\r\n"}));
  EXPECT_EQ(c.RxBuffer, ":33") << "text after the last LF waits";
}

// The bound on text without a line feed, what it drops and keeps: the reply_decoder fuzz
// target over its no_line_end and wrong_bit_rate seeds.
