#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/line_cutter.h"

using bus::LineCutter;

namespace {
std::vector<std::string> FeedAll(LineCutter& c, std::initializer_list<std::string> chunks) {
  std::vector<std::string> lines;
  for (const auto& chunk : chunks) c.Feed(chunk, [&](std::string_view l) { lines.emplace_back(l); });
  return lines;
}
}  // namespace

TEST(LineCutter, CutsAtLineFeedAcrossEvents) {
  LineCutter c;
  // A line split over two events comes out once, two lines of one event in order, and
  // a lone CR LF is a line too.
  EXPECT_EQ(FeedAll(c, {":0103", "AB\r\n:2", "0CE\r\n:10\r\n", "\r\n:33"}),
            (std::vector<std::string>{":0103AB\r\n", ":20CE\r\n", ":10\r\n", "\r\n"}));
  EXPECT_EQ(c.RxBuffer, ":33") << "text after the last LF waits";
}

TEST(LineCutter, BoundsTextWithoutLineFeed) {
  LineCutter c;
  std::string noise(3000, 'x');
  EXPECT_TRUE(FeedAll(c, {noise}).empty());
  EXPECT_EQ(c.RxBuffer.size(), LineCutter::kMaxPending);
  EXPECT_EQ(c.dropped, 3000 - LineCutter::kMaxPending);

  // Small pieces are bounded too, and the newest characters are the ones kept.
  LineCutter d;
  for (int i = 0; i < 2000; ++i) FeedAll(d, {"ab"});
  EXPECT_EQ(d.RxBuffer.size(), LineCutter::kMaxPending);
  EXPECT_EQ(d.dropped, 4000 - LineCutter::kMaxPending);

  // After the noise, a real frame still comes through (with the noise before it).
  const auto lines = FeedAll(d, {":10\r\n"});
  EXPECT_TRUE(lines.size() == 1 && lines[0].ends_with("ab:10\r\n"));
  EXPECT_TRUE(d.RxBuffer.empty());
}
