#pragma once
// The PC's copy of the controller's 64 KB program memory. Every address of the
// controller fits a 16-bit index, so an index taken from the bus cannot leave it
// once it has been range-checked against kProgramImageSize.

#include <array>
#include <cstddef>
#include <cstdint>

namespace program {

inline constexpr std::size_t kProgramImageSize = 65536;

using ProgramImage = std::array<std::uint8_t, kProgramImageSize>;

}  // namespace program
