#include "program/program_simulation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model_fixture.h"

namespace program {
namespace {

using testing::ModelFixture;

// Drives the simulation as the editor's timer does: the blink phase toggles before
// every tick and starts false when the simulation is switched on.
struct Player {
  const EditorModel& model;
  ProgramSimulation sim;
  bool blink = false;

  Player(const EditorModel& m, int record) : model(m) { RestartSimulation(sim, record); }
  std::string Tick() {
    blink = !blink;
    SimulationTick(sim, model, blink);
    return SimulationStatusText(sim);
  }
  // The status texts shown on the lit ticks, one a second.
  std::vector<std::string> Seconds(int n) {
    std::vector<std::string> out;
    while (static_cast<int>(out.size()) < n) {
      std::string text = Tick();
      if (blink) out.push_back(std::move(text));
    }
    return out;
  }
};

TEST(ProgramSimulation, StepOfDSecondsShowsForDPlusOneAndZeroStepsAreSkipped) {
  ModelFixture f;
  auto& steps = f.model->PgmGroups[2];
  steps[1][0] = 5;
  steps[2][0] = 0;
  steps[3][0] = 3;
  steps[2][1] = 4;  // never shown

  Player p(*f.model, 2);
  // The first tick after switching on is a lit one: it finds step 1.
  EXPECT_EQ(p.Tick(), "SIM: Pgm= P:01 S:01-05");
  const std::vector<std::string> expected = {
      "SIM: Pgm= P:01 S:01-04", "SIM: Pgm= P:01 S:01-03", "SIM: Pgm= P:01 S:01-02", "SIM: Pgm= P:01 S:01-01",
      "SIM: Pgm= P:01 S:01-00", "SIM: Pgm= P:01 S:03-03", "SIM: Pgm= P:01 S:03-02", "SIM: Pgm= P:01 S:03-01",
      "SIM: Pgm= P:01 S:03-00", "SIM: Pgm= P:01 S:01-05"};
  EXPECT_EQ(p.Seconds(10), expected);
  for (int i = 0; i < 40; ++i) {
    p.Tick();
    ASSERT_NE(p.sim.SimStep, 2);
  }
}

TEST(ProgramSimulation, FlashRecordsNameThemselvesAndPlayOnlyTheirOneStep) {
  ModelFixture f;
  f.model->PgmGroups[0][1][0] = 2;
  // Unpacking reads the flash record's padding bytes as durations of steps 2-16.
  f.model->PgmGroups[0][2][0] = 9;
  Player sys(*f.model, 0);
  sys.Tick();
  EXPECT_EQ(sys.Tick(), "SIM: Pgm=SYS Flas P:-01 S:01-02");
  for (int i = 0; i < 20; ++i) {
    sys.Tick();
    ASSERT_EQ(sys.sim.SimStep, 1);
  }
  Player flash(*f.model, 1);
  flash.Tick();
  EXPECT_EQ(flash.Tick(), "SIM: Pgm=Flas P:00 S:01-00");
}

TEST(ProgramSimulation, FlashingGroupsBlinkEveryHalfSecondSteadyOnesStay) {
  ModelFixture f;
  auto& step = f.model->PgmGroups[3][1];
  step[0] = 10;
  step[1] = 10;  // flashing yellow
  step[2] = 4;   // green
  step[3] = 12;  // flashing green
  step[4] = 3;   // red and yellow
  Player p(*f.model, 3);
  p.Tick();
  for (int i = 0; i < 6; ++i) {
    p.Tick();
    ASSERT_EQ(p.sim.SimStep, 1);
    const bool lit = p.blink;
    EXPECT_EQ(p.sim.LampStates[1], lit ? 2 : 0);
    EXPECT_EQ(p.sim.LampStates[2], 4);
    EXPECT_EQ(p.sim.LampStates[3], lit ? 4 : 0);
    EXPECT_EQ(p.sim.LampStates[4], 3);
  }
}

TEST(ProgramSimulation, ProgramWithoutDurationsKeepsShowingStepOne) {
  ModelFixture f;
  f.model->PgmGroups[4][1][5] = 1;
  Player p(*f.model, 4);
  for (const auto& s : p.Seconds(5)) EXPECT_EQ(s, "SIM: Pgm= P:03 S:01-00");
  EXPECT_EQ(p.sim.LampStates[5], 1);
}

TEST(ProgramSimulation, RestartBeginsAtTheFirstStepWithADuration) {
  ModelFixture f;
  auto& steps = f.model->PgmGroups[5];
  steps[2][0] = 4;
  steps[7][0] = 2;
  Player p(*f.model, 5);
  p.Seconds(7);
  EXPECT_EQ(p.sim.SimStep, 7);
  RestartSimulation(p.sim, 5);
  p.blink = false;
  EXPECT_EQ(p.Seconds(1).front(), "SIM: Pgm= P:04 S:02-04");
}

TEST(ProgramSimulation, SearchWrapsAfterStep99AndBadRecordsStayDark) {
  ModelFixture f;
  f.model->PgmGroups[6][99][0] = 1;
  f.model->PgmGroups[6][1][0] = 1;
  Player p(*f.model, 6);
  p.sim.SimStep = 98;
  p.Seconds(1);
  EXPECT_EQ(p.sim.SimStep, 99);
  p.Seconds(2);
  EXPECT_EQ(p.sim.SimStep, 1);

  Player bad(*f.model, 40);
  bad.Seconds(2);
  for (auto v : bad.sim.LampStates) EXPECT_EQ(v, 0);
  EXPECT_EQ(ProgrammingStatusText(2), "Programlama - 2 ...");
}

}  // namespace
}  // namespace program
