#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "editor_fixture.h"
#include "link/register_image.h"
#include "monitor/lamp_panel.h"
#include "monitor/traffic_lamp.h"
#include "program/editors/step_grid_model.h"

namespace {

using kxtest::EditorTest;

// The main window's side of the lamp panel, as the integrator wires it.
struct Simulation : EditorTest {
  std::unique_ptr<monitor::Lamp_panel> panel;
  int opened = 0;
  int closed = 0;

  void OpenWired() {
    Open();
    editor->LampPanel = [this](bool show) -> monitor::Lamp_panel* {
      if (show && !panel) {
        panel = std::make_unique<monitor::Lamp_panel>(*tables);
        ++opened;
      }
      if (show) panel->show();
      return panel.get();
    };
    editor->CloseLampPanel = [this] {
      panel.reset();
      ++closed;
    };
  }
  std::string Status() const { return Find<QLabel>("Label2").text().toStdString(); }
  void Toggle() { Find<QPushButton>("BTN_Simulasyon").click(); }
  // Ticks until the status line reads `text`; false after a minute of ticks.
  bool TickUntil(const std::string& text) {
    for (int i = 0; i < 120; ++i) {
      editor->Timer1Tick();
      if (Status() == text) return true;
    }
    return false;
  }
  int Lamp(int group) const { return panel ? panel->Lamp(group - 1).State() : -1; }
};

TEST_F(Simulation, PlaysTheShownProgramOnTheLampPanelWithTheEditorLocked) {
  auto& steps = model->PgmGroups[2];
  steps[1][0] = 5;
  steps[1][1] = 10;  // flashing yellow
  steps[1][2] = 4;   // green
  steps[3][0] = 3;
  steps[3][2] = 1;
  OpenWired();
  Toggle();
  EXPECT_TRUE(flags.SimActive);
  ASSERT_TRUE(TickUntil("SIM: Pgm= P:01 S:01-05"));
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(panel->isVisible());
  EXPECT_FALSE(ProgramList().isEnabled());
  EXPECT_FALSE(Grid().isEnabled());
  EXPECT_FALSE(Find<QLineEdit>("Text1").isEnabled());
  EXPECT_TRUE(Find<QPushButton>("BTN_Simulasyon").isEnabled());
  EXPECT_FALSE(flags.LampStatesDirty);  // handed over and drawn

  // Lit on the second tick, dark on the half-second between.
  EXPECT_EQ(Lamp(1), 2);
  EXPECT_EQ(Lamp(2), 4);
  editor->Timer1Tick();
  EXPECT_EQ(Status(), "SIM: Pgm= P:01 S:01-05");
  EXPECT_EQ(Lamp(1), 0);
  EXPECT_EQ(Lamp(2), 4);

  const auto played = [this](int step) {
    return Grid().model()->index(step - 1, 4).data(program::editors::StepGridModel::kPlayedRole).toBool();
  };
  EXPECT_TRUE(played(1)) << "the played step is marked in the grid";
  ASSERT_TRUE(TickUntil("SIM: Pgm= P:01 S:03-03"));
  EXPECT_EQ(Lamp(2), 1);
  EXPECT_TRUE(played(3));
  EXPECT_FALSE(played(1));
  EXPECT_EQ(opened, 1) << "shown once";

  Toggle();
  editor->Timer1Tick();
  EXPECT_FALSE(flags.SimActive);
  EXPECT_EQ(Status(), "Programlama - 2 ...");
  EXPECT_EQ(panel, nullptr);
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(played(3));
  EXPECT_TRUE(Grid().isEnabled());
  EXPECT_TRUE(ProgramList().isEnabled());
}

TEST_F(Simulation, PlaysWhatTheGridHoldsSavedOrNot) {
  model->PgmGroups[3][1][0] = 4;
  OpenWired();
  editor->SelectRecord(3);
  Click(Grid(), 0, 0);
  QTest::keyClicks(&Find<QLineEdit>("TXT_Sure"), QStringLiteral("7"));
  Click(Grid(), 2, 2);
  Toggle();
  EXPECT_TRUE(TickUntil("SIM: Pgm= P:02 S:01-07"));
}

TEST_F(Simulation, LampPanelOpenedForTheLiveViewStaysAndShowsTheCardsAgain) {
  model->PgmGroups[2][1][0] = 1;
  OpenWired();
  ASSERT_NE(editor->LampPanel(true), nullptr);  // the user's live view
  Toggle();
  ASSERT_TRUE(TickUntil("SIM: Pgm= P:01 S:01-01"));
  Toggle();
  for (int i = 0; i < 4; ++i) editor->Timer1Tick();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(closed, 0);
  EXPECT_EQ(opened, 1);

  tables->regs.TriacCardRegs[0][2] = 0x4321;
  flags.LiveLampsDirty = true;
  panel->Timer1Tick();
  EXPECT_EQ(Lamp(1), 1);
  EXPECT_EQ(Lamp(4), 4);
}

TEST_F(Simulation, ClosingTheEditorEndsTheSimulationAndItsLampPanel) {
  model->PgmGroups[2][1][0] = 3;
  OpenWired();
  Toggle();
  ASSERT_TRUE(TickUntil("SIM: Pgm= P:01 S:01-03"));
  editor->close();
  EXPECT_FALSE(flags.SimActive);
  EXPECT_EQ(panel, nullptr);

  // A new editor starts stopped.
  flags.SimActive = true;
  Open();
  EXPECT_FALSE(flags.SimActive);
}

}  // namespace
