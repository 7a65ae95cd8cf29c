#include "program/program_simulation.h"

#include <cstdio>

#include "program/memory_map.h"
#include "program/played_steps.h"
#include "program/record_names.h"
#include "program/signal_state.h"

namespace program {

namespace {

bool ValidRecord(int record) { return record >= 0 && record < static_cast<int>(kRecordCount); }

// "00" formatting: at least two digits, the sign before them.
std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, value < 0 ? "-%02d" : "%02d", value < 0 ? -value : value);
  return text;
}

// On to the next step with a duration, wrapping after the last playable one; step 1
// when the program has none.
void NextStep(ProgramSimulation& sim, const RecordSteps& steps) {
  const int last = LastPlayableStep(static_cast<std::size_t>(sim.SimProgram));
  int s = sim.SimStep;
  for (int tried = 0; tried < last; ++tried) {
    s = s >= last || s < 1 ? 1 : s + 1;
    if (steps[static_cast<std::size_t>(s)][0] >= 1) {
      sim.SimStep = s;
      sim.SimSecondsLeft = steps[static_cast<std::size_t>(s)][0];
      return;
    }
  }
  sim.SimStep = 1;
}

}  // namespace

void RestartSimulation(ProgramSimulation& sim, int record) {
  sim.SimProgram = record;
  sim.SimStep = 0;
  sim.SimSecondsLeft = 0;
}

void SimulationTick(ProgramSimulation& sim, const EditorModel& model, bool blinkPhase) {
  if (!ValidRecord(sim.SimProgram)) {
    sim.LampStates.fill(0);
    return;
  }
  const RecordSteps& steps = model.PgmGroups[static_cast<std::size_t>(sim.SimProgram)];

  if (blinkPhase) {
    if (sim.SimSecondsLeft >= 1) {
      --sim.SimSecondsLeft;
    } else {
      NextStep(sim, steps);
    }
  }

  const int shown = sim.SimStep >= 0 && sim.SimStep < static_cast<int>(kStepCount) ? sim.SimStep : 0;
  const StepRow& row = steps[static_cast<std::size_t>(shown)];
  for (std::size_t g = 0; g <= kSignalGroups; ++g) sim.LampStates[g] = LitStateCode(row[g], blinkPhase);
}

std::string SimulationStatusText(const ProgramSimulation& sim) {
  std::string text = "SIM: Pgm=";
  if (sim.SimProgram == static_cast<int>(kSystemFlashRecord)) text += "SYS Flas";
  if (sim.SimProgram == static_cast<int>(kFlashProgramRecord)) text += "Flas";
  text += " P:" + TwoDigits(sim.SimProgram - 1);
  text += " S:" + TwoDigits(sim.SimStep);
  text += "-" + TwoDigits(sim.SimSecondsLeft);
  return text;
}

std::string ProgrammingStatusText(int currentRecord) {
  return "Programlama - " + std::to_string(currentRecord) + " ...";
}

}  // namespace program
