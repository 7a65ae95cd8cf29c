#include "link/register_meaning.h"

#include <gtest/gtest.h>

namespace {

TEST(RegisterMeaning, GroupsFollowCardsAndChannelsInNibbleOrder) {
  bus::RegisterImage regs;
  regs.TriacCardRegs[0][bus::card_word::kLamps] = 0x1234;
  regs.TriacCardRegs[7][bus::card_word::kLamps] = 0x7A000 | 0x9C;  // above 16 bits: ignored
  const auto groups = bus::GroupLampStates(regs);
  EXPECT_EQ(groups[0], 4);
  EXPECT_EQ(groups[3], 1);
  EXPECT_EQ(groups[4], 0);
  EXPECT_EQ(groups[28], 0xC);
  EXPECT_EQ(groups[29], 0x9);
  EXPECT_EQ(groups[31], 0xA);
}

TEST(RegisterMeaning, ACardFrameShorterThanItsWordsReadsZeroForTheRest) {
  const std::int32_t words[] = {2, 0, 0x0001, 0x0010, 380};
  const bus::TriacCardReading k = bus::ReadTriacCard(words);
  EXPECT_EQ(k.state, 2);
  EXPECT_TRUE(bus::HasChannelFault(k.channelFaults, 1, bus::ChannelFault::RedFilament));
  EXPECT_FALSE(bus::HasChannelFault(k.channelFaults, 0, bus::ChannelFault::RedFilament));
  EXPECT_EQ(k.currentMilliamps[0], 380);
  EXPECT_EQ(k.currentMilliamps[1], 0);
  EXPECT_EQ(k.faultWord, 0);
  EXPECT_EQ(bus::ReadTriacCard(bus::RegisterImage{}, 8), bus::TriacCardReading{}) << "no card 9";
}

}  // namespace
