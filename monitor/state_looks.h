#pragma once
// How the panels show the run state of a card or module: a text beside an indicator
// shape of one colour. A state code outside the known ones has no look, and the
// panel then keeps what it showed before.

#include <cstdint>
#include <optional>

#include "link/link_display.h"

namespace monitor {

inline constexpr bus::Rgb kBlack = 0x000000;

struct StateLook {
  const char* text;
  bus::Rgb colour;
  bool operator==(const StateLook&) const = default;
};

// A card's fault word overrides its state code.
inline constexpr StateLook kErrorLook{"Error", bus::kRed};

// Triac cards, the CPU card and the detector module: 0 offline, 1 stopped, 2 running.
constexpr std::optional<StateLook> RunStateLook(std::int32_t code) {
  switch (code) {
    case 0: return StateLook{"Ofline", bus::kWhite};
    case 1: return StateLook{"Stop", kBlack};
    case 2: return StateLook{"Run", bus::kGreen};
    default: return std::nullopt;
  }
}

// The GPS receiver: 0 offline, 1 searching for satellites, 2 satellite found.
constexpr std::optional<StateLook> GpsStateLook(std::int32_t code) {
  switch (code) {
    case 0: return StateLook{"Ofline", bus::kWhite};
    case 1: return StateLook{"Uydu Araniyor", kBlack};
    case 2: return StateLook{"Uydu Bulundu", bus::kGreen};
    default: return std::nullopt;
  }
}

}  // namespace monitor
