#include "program/program_simulation.h"

#include <gtest/gtest.h>

#include "model_fixture.h"
#include "program/signal_state.h"

namespace program {
namespace {

using testing::ModelFixture;

// Drives the simulation as the editor's timer does: blink toggles before every tick, from false.
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
  // The status texts shown on the lit ticks, one a second, from a dark half.
  std::vector<std::string> Seconds(int n) {
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) {
      out.push_back(Tick());
      Tick();
    }
    return out;
  }
};

TEST(ProgramSimulation, PlaysAsTheControllerDoes) {
  ModelFixture f;
  auto& steps = f.model->PgmGroups[2];
  steps[1][0] = 5;
  steps[3][0] = 3;
  steps[2][1] = 4;  // step 2 has no duration: never shown
  Player p(*f.model, 2);
  std::vector<std::string> expected;
  // A step of d seconds shows for d + 1; steps without a duration are skipped.
  for (const char* s :
       {"01-05", "01-04", "01-03", "01-02", "01-01", "01-00", "03-03", "03-02", "03-01", "03-00", "01-05"})
    expected.push_back(std::string("SIM: Pgm= P:01 S:") + s);
  EXPECT_EQ(p.Seconds(11), expected);

  // A play begins at the first step with a duration, and the search wraps past step 99.
  auto& far = f.model->PgmGroups[5];
  far[2][0] = 4;
  far[99][0] = 1;
  EXPECT_EQ(Player(*f.model, 5).Seconds(1).front(), "SIM: Pgm= P:04 S:02-04");
  Player wrap(*f.model, 5);
  wrap.sim.SimStep = 98;
  EXPECT_EQ(wrap.Seconds(3), (std::vector<std::string>{"SIM: Pgm= P:04 S:99-01", "SIM: Pgm= P:04 S:99-00",
                                                       "SIM: Pgm= P:04 S:02-04"}));

  // Records without a step sequence stay on step 1, and an unknown one is dark.
  f.model->PgmGroups[0][1][0] = 2;
  f.model->PgmGroups[0][2][0] = 9;  // unpacking reads the padding as durations of steps 2-16
  f.model->PgmGroups[4][1][5] = 1;  // a program without durations
  Player sys(*f.model, 0);
  for (int i = 0; i < 20; ++i) ASSERT_EQ((sys.Tick(), sys.sim.SimStep), 1);
  Player none(*f.model, 4);
  EXPECT_EQ(none.Seconds(5), std::vector<std::string>(5, "SIM: Pgm= P:03 S:01-00"));
  EXPECT_EQ(none.sim.LampStates[5], 1);
  Player bad(*f.model, 40);
  bad.Seconds(2);
  EXPECT_EQ(bad.sim.LampStates, ProgramSimulation{}.LampStates);
}

// Every view that plays states over time blinks through this one rule.
TEST(LitState, FlashingCodesLightOnlyInTheLitHalfAndOthersStaySteady) {
  const std::uint8_t cases[][3] = {{10, 2, 0}, {12, 4, 0}, {5, 5, 5}, {0x13, 3, 3}};  // code, lit, dark
  for (const auto& c : cases) {
    EXPECT_EQ(LitStateCode(c[0], true), c[1]) << int{c[0]};
    EXPECT_EQ(LitStateCode(c[0], false), c[2]) << int{c[0]};
  }
}

}  // namespace
}  // namespace program
