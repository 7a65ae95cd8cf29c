#pragma once
// Playing a signal program without a controller: which step is shown, how long it
// stays, and what the 32 lamps show at each half-second tick of the editor's timer.

#include <array>
#include <cstdint>
#include <string>

#include "program/editor_model.h"

namespace program {

struct ProgramSimulation {
  int SimProgram = 0;      // record index being played
  int SimStep = 0;         // step shown; 0 before the first step
  int SimSecondsLeft = 0;  // whole seconds left in the shown step
  // Element g (1-32) is the lamp state of signal group g; element 0 takes the
  // duration column and is never shown.
  std::array<std::uint8_t, kStepColumns> LampStates{};
};

// Starts (or restarts) the play of record X from before its first step.
void RestartSimulation(ProgramSimulation& sim, int record);

// One 500 ms tick of a running simulation, after the blink phase has been toggled.
// On the ticks where the phase turns lit (once a second) the shown step counts down
// or, at 0, gives way to the next step with a duration, searched cyclically; so a
// step of d seconds is shown for d + 1 seconds. Flashing groups are lit in the lit
// half-second and dark in the other. A record outside the model plays as dark.
void SimulationTick(ProgramSimulation& sim, const EditorModel& model, bool blinkPhase);

// The status line of a running simulation, e.g. "SIM: Pgm= P:01 S:03-12".
std::string SimulationStatusText(const ProgramSimulation& sim);

// The status line while the editor is programming: "Programlama - 2 ...".
std::string ProgrammingStatusText(int currentRecord);

}  // namespace program
