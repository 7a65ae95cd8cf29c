#pragma once
// What the PC has learned of the controller by listening to the bus. Filled only by
// the reply decoder; read by the monitoring views.

#include <array>
#include <cstdint>
#include <string>

namespace bus {

inline constexpr int kTriacCards = 8;
inline constexpr int kTriacWords = 10;

struct RegisterImage {
  std::array<std::int32_t, 17> CpuCardRegs{};                   // controller registers 0x2000 + i
  std::array<std::int32_t, 17> GpsRegs{};                       // 1 state, 2..7 second..year
  std::array<std::int32_t, 17> DetectorRegs{};                  // 0 state, 1 input bits
  std::array<std::array<std::int32_t, 17>, 9> TriacCardRegs{};  // card 0-7, word 0-9
  std::string CpuClockText;
};

}  // namespace bus
