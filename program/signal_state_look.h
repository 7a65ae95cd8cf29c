#pragma once
// How a signal-state code looks and is named wherever signal states are drawn over
// time (the signal plan, a live plan): one fill pattern, colour and name a code, so
// every view shows a state the same way.

#include <cstdint>
#include <string>

namespace program {

using Rgb = std::uint32_t;  // 0xRRGGBB

inline constexpr Rgb kLampRed = 0xFF0000;
inline constexpr Rgb kLampYellow = 0xFFFF00;
inline constexpr Rgb kLampGreen = 0x00FF00;
inline constexpr Rgb kUnknownStateGrey = 0x808080;

enum class StateFill {
  Empty,    // all lamps off: nothing drawn
  Solid,    // the whole bar in `colour`
  Split,    // upper half `colour`, lower half `lower`: red over yellow, as the head stacks them
  Hatched,  // stripes of `colour` on an empty bar: a flashing state
  Unknown,  // a code the editor does not set: grey in `colour`, labelled with the number
};

struct StateLook {
  StateFill fill = StateFill::Empty;
  Rgb colour = 0;
  Rgb lower = 0;
  bool operator==(const StateLook&) const = default;
};

// Codes 0, 1, 2, 3, 4, 9, 10 and 12 have their own look; every other nibble (and
// anything above 15) is Unknown.
constexpr StateLook SignalStateLook(int code) {
  switch (code) {
    case 0: return {StateFill::Empty, 0, 0};
    case 1: return {StateFill::Solid, kLampRed, kLampRed};
    case 2: return {StateFill::Solid, kLampYellow, kLampYellow};
    case 3: return {StateFill::Split, kLampRed, kLampYellow};
    case 4: return {StateFill::Solid, kLampGreen, kLampGreen};
    case 9: return {StateFill::Hatched, kLampRed, kLampRed};
    case 10: return {StateFill::Hatched, kLampYellow, kLampYellow};
    case 12: return {StateFill::Hatched, kLampGreen, kLampGreen};
    default: return {StateFill::Unknown, kUnknownStateGrey, kUnknownStateGrey};
  }
}

// "Kapalı", "Kırmızı", "Sarı", "Kırmızı + Sarı", "Yeşil", "Kırmızı Flas", "Sarı Flas",
// "Yeşil Flas"; "Kod 5" for a code the editor does not set.
std::string SignalStateName(int code);

}  // namespace program
