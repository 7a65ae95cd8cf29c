#include "link/register_meaning.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(RegisterMeaning, GroupsFollowCardsAndChannelsInNibbleOrder) {
  bus::RegisterImage regs;
  regs.TriacCardRegs[0][bus::card_word::kLamps] = 0x1234;
  regs.TriacCardRegs[7][bus::card_word::kLamps] = 0x7A000 | 0x9C;  // above 16 bits: ignored
  const auto groups = bus::GroupLampStates(regs);
  EXPECT_EQ(std::vector<int>({groups[0], groups[3], groups[4], groups[28], groups[29], groups[31]}),
            std::vector<int>({4, 1, 0, 0xC, 0x9, 0xA}));
}

TEST(RegisterMeaning, ACardFrameShorterThanItsWordsReadsZeroForTheRest) {
  const std::int32_t words[] = {2, 0, 0x0001, 0x0010, 380};
  const bus::TriacCardReading k = bus::ReadTriacCard(words);
  EXPECT_EQ(k.state, 2);
  EXPECT_TRUE(bus::HasChannelFault(k.channelFaults, 1, bus::ChannelFault::RedFilament));
  EXPECT_FALSE(bus::HasChannelFault(k.channelFaults, 0, bus::ChannelFault::RedFilament));
  EXPECT_EQ(std::vector<int>({k.currentMilliamps[0], k.currentMilliamps[1], k.faultWord}),
            std::vector<int>({380, 0, 0}));
  EXPECT_EQ(bus::ReadTriacCard(bus::RegisterImage{}, 8), bus::TriacCardReading{}) << "no card 9";
}

}  // namespace
