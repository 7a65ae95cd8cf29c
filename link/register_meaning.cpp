#include "link/register_meaning.h"

namespace bus {

TriacCardReading ReadTriacCard(std::span<const std::int32_t> words) {
  const auto word = [&](int i) {
    return static_cast<std::size_t>(i) < words.size() ? words[static_cast<std::size_t>(i)] : 0;
  };
  TriacCardReading r;
  r.state = word(card_word::kState);
  r.lamps = word(card_word::kLamps);
  r.channelFaults = word(card_word::kChannelFaults);
  for (int c = 0; c < kChannelsPerCard; ++c) {
    r.currentMilliamps[static_cast<std::size_t>(c)] = word(card_word::kFirstCurrent + c);
  }
  r.supplyRaw = word(card_word::kSupply);
  r.faultWord = word(card_word::kFaultWord);
  return r;
}

TriacCardReading ReadTriacCard(const RegisterImage& regs, int card) {
  if (card < 0 || card >= kTriacCards) return {};
  return ReadTriacCard(regs.TriacCardRegs[static_cast<std::size_t>(card)]);
}

std::array<int, kSignalGroups> GroupLampStates(const RegisterImage& regs) {
  std::array<int, kSignalGroups> states{};
  for (int g = 0; g < kSignalGroups; ++g) {
    const std::int32_t lamps =
        regs.TriacCardRegs[static_cast<std::size_t>(g / kChannelsPerCard)][card_word::kLamps];
    states[static_cast<std::size_t>(g)] = ChannelNibble(lamps, g % kChannelsPerCard);
  }
  return states;
}

}  // namespace bus
