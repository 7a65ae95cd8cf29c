#pragma once
// The 4-bit signal-state code of one signal group in one step, and how it lights.

#include <array>
#include <cstdint>

namespace program {

inline constexpr std::uint8_t kStateRed = 1;
inline constexpr std::uint8_t kStateYellow = 2;
inline constexpr std::uint8_t kStateGreen = 4;
inline constexpr std::uint8_t kStateFlashing = 8;

// The codes the editor sets: off, red, yellow, red+yellow, green, and flashing red,
// yellow and green. Any other nibble is carried unchanged and shown as its number.
inline constexpr std::array<std::uint8_t, 8> kEditorStateCodes = {0, 1, 2, 3, 4, 9, 10, 12};

constexpr bool IsEditorStateCode(int code) {
  for (auto c : kEditorStateCodes) {
    if (c == code) return true;
  }
  return false;
}

// The lamps a code lights at a moment: a flashing code lights (code AND 7) in the lit
// half of the flashing period and nothing in the dark half. Every view that plays
// states over time (the editor's simulation, the lamp preset, the simulated
// controller's lamp currents) asks this, so they all blink alike.
constexpr std::uint8_t LitStateCode(std::uint8_t code, bool litHalf) {
  const auto c = static_cast<std::uint8_t>(code & 0x0F);
  if ((c & kStateFlashing) == 0) return c;
  return litHalf ? static_cast<std::uint8_t>(c & 0x07) : 0;
}

}  // namespace program
