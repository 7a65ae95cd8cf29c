// The registers grid and the live lamp panel, which poll flags on their 100 ms timers.

#include <QTimer>

#include "monitor/lamp_panel.h"
#include "monitor/registers_panel.h"
#include "monitor/traffic_lamp.h"
#include "tests/link/link_fixture.h"
#include "views_app.h"

using namespace kxtest;

namespace {

struct FlagViews : ViewTest {
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  bus::RegisterImage& regs = tables->regs;
  bus::ViewFlags& flags = tables->flags;
  monitor::Registers_panel registers{*tables};
  monitor::Lamp_panel lamps{*tables};
  std::string Cell(int k) { return TextOf(Child(registers, QString("Lbl_registers(%1)").arg(k))); }
  std::vector<int> States(int first, int count) {
    std::vector<int> v;
    for (int i = first; i < first + count; ++i) v.push_back(lamps.Lamp(i).State());
    return v;
  }
};

TEST_F(FlagViews, RegistersShowAColumnPerCardARowPerWordOnlyWhenDirty) {
  EXPECT_TRUE(Child<QTimer>(registers, "Timer1").isActive());
  for (std::size_t c = 0; c < 8; ++c)
    for (std::size_t w = 0; w < 16; ++w) regs.TriacCardRegs[c][w] = static_cast<int>(c * 0x1000 + w * 0x11);
  regs.TriacCardRegs[7][9] = 0xBEEF;
  registers.Timer1Tick();
  EXPECT_FALSE(flags.RegistersViewDirty);
  EXPECT_EQ(Cell(15) + " " + Cell(16) + " " + Cell(16 * 7 + 9), "00FF 1000 BEEF")
      << "label 16 is card 1 word 0";
  regs.TriacCardRegs[7][9] = 0x0001;
  registers.Timer1Tick();
  EXPECT_EQ(Cell(16 * 7 + 9), "BEEF") << "not dirty";
  flags.RegistersViewDirty = true;
  registers.Timer1Tick();
  EXPECT_EQ(Cell(16 * 7 + 9), "0001");
}

TEST_F(FlagViews, LampsShowTheLiveWordsWhenDirtyYieldToTheSimulationAndHearTheLink) {
  lamps.Timer1Tick();  // what the image held when the panel opened
  regs.TriacCardRegs[0][2] = 0x4321;
  lamps.Timer1Tick();
  EXPECT_EQ(States(0, 32), std::vector<int>(32, 0)) << "nothing without the flag";
  flags.LiveLampsDirty = true;
  lamps.Timer1Tick();
  EXPECT_FALSE(flags.LiveLampsDirty);
  EXPECT_EQ(States(0, 4), (std::vector<int>{1, 2, 3, 4}));

  // The simulation owns the lamps while it runs.
  flags.SimActive = true;
  std::array<std::int16_t, 32> sim{4};
  sim[31] = 2;
  lamps.SetLampStates(sim);
  regs.TriacCardRegs[0][2] = 0x1111;
  flags.LiveLampsDirty = true;
  lamps.Timer1Tick();
  EXPECT_EQ((std::vector<int>{lamps.Lamp(0).State(), lamps.Lamp(31).State()}), (std::vector<int>{4, 2}));
  EXPECT_TRUE(flags.LiveLampsDirty) << "the card words wait for the simulation to end";
  flags.SimActive = false;
  lamps.Timer1Tick();
  EXPECT_EQ(States(0, 4), std::vector<int>(4, 1));

  // A card frame decoded by the link reaches the lamps by itself.
  FakePort port;
  FakeClock clock;
  bus::ControllerLink link(port, clock, tables->ForLink());
  link.cmd_RUN();
  link.Timer1Tick();
  port.Receive(Frame({0x21, 0xCE, 0, 2, 0, 0, 0x43, 0x21, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  lamps.Timer1Tick();
  EXPECT_EQ(States(4, 4), (std::vector<int>{1, 2, 3, 4})) << "address 33 is card 1, column 1";
}

}  // namespace
