#include "editor_fixture.h"
#include "monitor/lamp_panel.h"
#include "monitor/traffic_lamp.h"
#include "program/editors/step_grid_model.h"

namespace {

// The main window's side of the lamp panel, as the integrator wires it.
struct Simulation : kxtest::EditorTest {
  std::unique_ptr<monitor::Lamp_panel> panel;
  int opened = 0;

  void OpenWired() {
    Open();
    editor->LampPanel = [this](bool show) -> monitor::Lamp_panel* {
      if (show && !panel) panel = std::make_unique<monitor::Lamp_panel>(*tables), ++opened;
      if (show) panel->show();
      return panel.get();
    };
    editor->CloseLampPanel = [this] { panel.reset(); };
  }
  std::string Status() const { return Find<QLabel>("Label2").text().toStdString(); }
  // Ticks until the status line reads `text`; false after a minute of ticks.
  bool TickUntil(const std::string& text) {
    for (int i = 0; i < 120 && Status() != text; ++i) editor->Timer1Tick();
    return Status() == text;
  }
  int Lamp(int group) const { return panel ? panel->Lamp(group - 1).State() : -1; }
  bool Played(int step) const {
    return Grid().model()->index(step - 1, 4).data(program::editors::StepGridModel::kPlayedRole).toBool();
  }
};

TEST_F(Simulation, PlaysTheGridOnTheLampPanelWithTheEditorLockedUntilStoppedOrClosed) {
  model->PgmGroups[2][1] = {5, 10, 4};  // flashing yellow, green
  model->PgmGroups[2][3] = {3, 0, 1};
  OpenWired();
  Find<QPushButton>("BTN_Simulasyon").click();
  ASSERT_TRUE(TickUntil("SIM: Pgm= P:01 S:01-05"));
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(ProgramList().isEnabled() || Grid().isEnabled() || Find<QLineEdit>("Text1").isEnabled());
  EXPECT_FALSE(flags.LampStatesDirty);  // handed over and drawn
  EXPECT_EQ(std::pair(Lamp(1), Lamp(2)), std::pair(2, 4));
  editor->Timer1Tick();
  EXPECT_EQ(Lamp(1), 0) << "dark on the half-second between";
  ASSERT_TRUE(TickUntil("SIM: Pgm= P:01 S:03-03"));
  EXPECT_EQ(Lamp(2), 1);
  EXPECT_TRUE(Played(3) && !Played(1)) << "the played step is marked in the grid";
  EXPECT_EQ(opened, 1) << "shown once";

  Find<QPushButton>("BTN_Simulasyon").click();
  editor->Timer1Tick();
  EXPECT_EQ(Status(), "Programlama - 2 ...");
  EXPECT_TRUE(!Played(3) && Grid().isEnabled() && ProgramList().isEnabled());

  // What the grid holds is played, saved or not.
  editor->SelectRecord(3);
  TypeDuration(1, QStringLiteral("7"));
  Find<QPushButton>("BTN_Simulasyon").click();
  ASSERT_TRUE(TickUntil("SIM: Pgm= P:02 S:01-07"));
  // Closing the editor ends the simulation and its lamp panel; a new editor starts stopped.
  editor->close();
  EXPECT_TRUE(!flags.SimActive && !panel);
  flags.SimActive = true;
  Open();
  EXPECT_FALSE(flags.SimActive);
}

// That the cards show again: FlagViews.TheSimulationOwnsTheLampsWhileItRuns.
TEST_F(Simulation, LampPanelOpenedForTheLiveViewStaysOpenAfterward) {
  model->PgmGroups[2][1][0] = 1;
  OpenWired();
  ASSERT_NE(editor->LampPanel(true), nullptr);  // the user's live view
  Find<QPushButton>("BTN_Simulasyon").click();
  ASSERT_TRUE(TickUntil("SIM: Pgm= P:01 S:01-01"));
  Find<QPushButton>("BTN_Simulasyon").click();
  for (int i = 0; i < 4; ++i) editor->Timer1Tick();
  EXPECT_TRUE(panel && opened == 1);
}

}  // namespace
