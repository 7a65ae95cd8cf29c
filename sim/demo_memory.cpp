#include "sim/demo_memory.h"

#include <cstring>
#include <string_view>

#include "program/memory_map.h"

#include "sim/event_log_area.h"
#include "sim/signal_plan.h"

namespace sim {
namespace {

void PutText(program::ProgramImage& m, std::size_t at, std::string_view text) {
  std::memcpy(m.data() + at, text.data(), text.size());
}

// Cards 1, 3, 5 and 7 carry phase A, the others phase B.
void PutStep(program::ProgramImage& m, std::size_t record, std::size_t step, int seconds, std::uint8_t a,
             std::uint8_t b) {
  const std::size_t base = program::ProgramRecordBase(record);
  m[base + program::kDurationsOffset + step - 1] = static_cast<std::uint8_t>(seconds);
  for (std::size_t k = 0; k < 16; ++k) {
    const bool phaseA = (2 * k / 4) % 2 == 0;  // groups 2k+1 and 2k+2 share a card
    const std::uint8_t s = phaseA ? a : b;
    m[base + program::kStatesOffset + program::kStateBytes * (step - 1) + k] =
        static_cast<std::uint8_t>(s << 4 | s);
  }
}

}  // namespace

program::ProgramImage DemoMemory() {
  program::ProgramImage m{};
  PutText(m, 1, "KX7140 demo junction");

  for (std::size_t base : {program::kFlashRecord1Base, program::kFlashRecord0Base}) {
    PutText(m, base, base == program::kFlashRecord1Base ? "Flas Programi" : "System Flas");
    m[base + program::kFlashDurationOffset] = 1;
    std::memset(m.data() + base + program::kFlashStatesOffset, kFlashingYellow << 4 | kFlashingYellow,
                program::kStateBytes);
  }

  PutText(m, program::ProgramRecordBase(2), "Program1");
  constexpr std::uint8_t R = 1, Y = 2, RY = 3, G = 4;
  PutStep(m, 2, 1, 10, G, R);
  PutStep(m, 2, 2, 3, Y, R);
  PutStep(m, 2, 3, 2, R, R);
  PutStep(m, 2, 4, 2, R, RY);
  PutStep(m, 2, 5, 10, R, G);
  PutStep(m, 2, 6, 3, R, Y);
  PutStep(m, 2, 7, 2, R, R);
  PutStep(m, 2, 8, 2, RY, R);

  // Every day runs Program1 from midnight.
  for (std::size_t d = 0; d < program::kWeekTableDays; ++d) {
    m[program::kWeekTableAddress + program::kWeekDayStride * d + 2] = 1;
  }

  const bus::DateTime installed{2024, 1, 1, 7, 55, 0, 1};
  AppendLog(m, {0, 0, 0, 0, 0}, installed);
  AppendLog(m, {0, event::kProgramLoaded, 0, 0, 0}, installed);
  AppendLog(m, {0, event::kPowerOn, 0, 0, 0}, {2024, 1, 1, 7, 59, 30, 1});
  return m;
}

}  // namespace sim
