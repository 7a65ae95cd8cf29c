#pragma once
// Plays one program record of the controller memory step by step, the way the
// controller drives its signal groups: each step lasts its duration in seconds, a
// step of duration 0 ends the cycle. Without a runnable program, or while a
// download is under way, the junction shows the flash record instead.

#include <array>
#include <cstdint>

#include "program/program_image.h"

namespace sim {

inline constexpr int kSignalGroups = 32;
inline constexpr int kMaxSteps = 100;
inline constexpr std::uint8_t kFlashingYellow = 10;

using GroupStates = std::array<std::uint8_t, kSignalGroups>;  // group 1..32 at 0..31

class SignalPlan {
 public:
  explicit SignalPlan(int record);

  void Restart(std::int64_t nowMs);
  void SetFlash(bool flash) { m_flash = flash; }
  bool Flashing(const program::ProgramImage& memory) const;
  // Moves the plan on to nowMs; the memory is read afresh, since the PC may change it.
  void Advance(const program::ProgramImage& memory, std::int64_t nowMs);
  GroupStates Groups(const program::ProgramImage& memory) const;

  int Record() const { return m_record; }
  int Step() const { return m_step; }

 private:
  std::size_t Base() const;
  int Duration(const program::ProgramImage& memory, int step) const;

  int m_record;
  int m_step = 1;
  std::int64_t m_stepStartMs = 0;
  bool m_started = false;
  bool m_flash = false;
};

}  // namespace sim
