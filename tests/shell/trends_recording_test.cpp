// The main window records the junction from the first PC turn, whether or not the
// trends window is open, and the window opens from the "Ayarlar" menu and from the
// output cards window onto that one recording.

#include <QPushButton>

#include "link/link_events.h"
#include "monitor/trends_window.h"
#include "shell_fixture.h"

namespace {

using shelltest::MainWindow;

TEST_F(MainWindow, TurnsAreRecordedWithTheWindowClosedAndShownWhenItOpens) {
  EXPECT_TRUE(window->Trends().Store().Empty());
  state->events.Emit(bus::RegistersStored{1});
  for (int i = 0; i < 3; ++i) state->events.Emit(bus::PcTurn{});
  EXPECT_FALSE(window->Trends().Store().Empty());
  EXPECT_EQ(window->ChildWidget(shell::Child::Trends), nullptr);

  Act("Setting_Trends").trigger();
  auto* trends = qobject_cast<monitor::TrendsWindow*>(window->ChildWidget(shell::Child::Trends));
  ASSERT_NE(trends, nullptr);
  EXPECT_EQ(trends->Visible().to, window->Trends().Store().LastMicros()) << "the window shows the recording";

  window->SetChildShown(shell::Child::Trends, false);
  window->SetChildShown(shell::Child::Cards, true);
  kxtest::Child<QPushButton>(*window->ChildWidget(shell::Child::Cards), "BTN_Trends").click();
  EXPECT_NE(window->ChildWidget(shell::Child::Trends), nullptr);
}

}  // namespace
