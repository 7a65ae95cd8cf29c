#pragma once
// Settings of the simulated controller: bus timing, the faults it injects and the
// seed that makes a run repeatable.

#include <array>
#include <cstdint>

#include "link/clock.h"

namespace sim {

inline constexpr int kCards = 8;

struct Options {
  std::int64_t periodMs = 100;    // from one bus cycle to the next
  std::int64_t windowMs = 60;     // how long the PC may take to answer its turn
  std::int64_t replyDelayMs = 5;  // from the PC's frame to the controller's reply
  double loss = 0.0;              // chance that a reply never reaches the wire
  double corrupt = 0.0;           // chance that one character of a reply is damaged
  double noise = 0.0;             // chance of a noise burst before any frame
  double exception = 0.0;         // chance per cycle of a card's exception reply
  std::uint32_t seed = 1;
  std::array<bool, kCards> cardFault{};  // card 1..8 at index 0..7
  int programRecord = 2;                 // the record the junction runs (2..18)
  bus::DateTime clockStart{2024, 1, 1, 8, 0, 0, 1};
};

}  // namespace sim
