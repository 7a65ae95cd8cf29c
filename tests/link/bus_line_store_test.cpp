#include "link/bus_line_store.h"

#include <gtest/gtest.h>

#include <string>

#include "link/bus_line_filter.h"

namespace {

using bus::LineDirection;

// Each row's line, sequence and bound are followed by the bus_monitor fuzz target.
TEST(BusLineStore, WholeChunksGoAndRoomForOneIsKept) {
  bus::BusLineStore store({.maxLines = 10, .chunkLines = 4, .chunkBytes = 0});
  for (std::int64_t n = 0; n < 25; ++n)
    EXPECT_EQ(store.Append(n * 1000, LineDirection::Received, ":10\r\n") % 4, 0u) << "whole chunks go";
  EXPECT_GT(store.Size(), 10u - 2 * 4u) << "room for a whole chunk, no more";
  EXPECT_EQ(store.At(0).micros, static_cast<std::int64_t>(store.FirstSeq()) * 1000);
  EXPECT_FALSE(store.Find(store.FirstSeq() - 1) || store.Find(store.EndSeq()));
}

TEST(BusLineStore, LongLinesLongSilencesAndTheClockGoingBackStartNewChunksWithoutLosingALine) {
  bus::BusLineStore store({.maxLines = 100, .chunkLines = 50, .chunkBytes = 0});
  const std::string big(30'000, 'F');
  store.Append(0, LineDirection::Sent, ":" + big);
  store.Append(1, LineDirection::Received, ":" + big);
  store.Append(2, LineDirection::Received, ":" + big);                    // past 64 KB: a new chunk
  store.Append(std::int64_t{5} << 32, LineDirection::Received, ":1003");  // 6 hours later
  store.Append(7, LineDirection::Received, ":1004");
  store.Append(8, LineDirection::Received, std::string(70'000, 'x'));
  ASSERT_EQ(store.Size(), 6u);
  EXPECT_EQ(std::make_tuple(store.At(0).direction, store.At(2).bytes.size(), store.At(3).micros,
                            store.At(4).micros, store.At(5).bytes.size()),
            std::make_tuple(LineDirection::Sent, big.size() + 1, std::int64_t{5} << 32, std::int64_t{7},
                            bus::BusLineStore::kMaxLineBytes));
  EXPECT_LT(store.MemoryBytes(), sizeof(bus::BusLineStore) + 3 * 30'001 + 65'536 + 8'192)
      << "closed chunks give back what they did not use";
}

TEST(FilteredLines, FollowsTheStoreAsLinesComeAndGo) {
  bus::BusLineStore store({.maxLines = 8, .chunkLines = 4, .chunkBytes = 0});
  const std::string lines[] = {":22CE00020E\r\n", ":010320000010CC", ":1003200000106D\r\n",
                               ":22ce00030d\r\n"};
  const auto feed = [&](int from, int to) {
    for (int i = from; i < to; ++i)
      store.Append(i, i % 4 == 1 ? LineDirection::Sent : LineDirection::Received, lines[i % 4]);
  };
  feed(0, 8);
  bus::FilteredLines cards;
  cards.SetFilter({.address = 0x22});
  auto change = cards.Update(store, 5);
  EXPECT_EQ(std::make_pair(change.done, change.added), std::make_pair(false, std::size_t{3}));
  change = cards.Update(store, 5);
  EXPECT_EQ(std::make_pair(change.done, cards.Size()), std::make_pair(true, std::size_t{4}));

  feed(8, 12);  // the oldest chunk of four goes
  change = cards.Update(store);
  EXPECT_EQ(std::make_tuple(change.removedFront, change.added, cards.SeqAt(0), cards.SeqAt(cards.Size() - 1)),
            std::make_tuple(2u, 2u, 4u, 11u));
}

}  // namespace
