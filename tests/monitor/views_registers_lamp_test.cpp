// The two views that poll flags on their 100 ms timers: the registers grid and the
// live lamp panel.

#include <QTimer>

#include "monitor/lamp_panel.h"
#include "monitor/registers_panel.h"
#include "monitor/traffic_lamp.h"
#include "tests/link/link_fixture.h"
#include "views_app.h"

using namespace kxtest;
using monitor::Lamp_panel;
using monitor::Registers_panel;

namespace {

struct Registers : ViewTest {
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  bus::RegisterImage& regs = tables->regs;
  bus::ViewFlags& flags = tables->flags;
  Registers_panel panel{*tables};
  std::string Cell(int k) { return TextOf(Child(panel, QString("Lbl_registers(%1)").arg(k))); }
};

struct Lamps : ViewTest {
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  bus::RegisterImage& regs = tables->regs;
  bus::ViewFlags& flags = tables->flags;
  Lamp_panel panel{*tables};
  std::vector<int> States(int first, int count) {
    std::vector<int> v;
    for (int i = first; i < first + count; ++i) v.push_back(panel.Lamp(i).State());
    return v;
  }
};

}  // namespace

TEST_F(Registers, ColumnPerCardRowPerWordOnlyWhenDirty) {
  EXPECT_EQ(panel.windowTitle().toStdString(), " Triyak Kartları Kontrol Kaydedicileri");
  EXPECT_EQ(TextOf(Child(panel, "LBL_Regs(7)")), "8");
  EXPECT_TRUE(Child<QTimer>(panel, "Timer1").isActive());
  for (std::size_t c = 0; c < 8; ++c)
    for (std::size_t w = 0; w < 16; ++w) regs.TriacCardRegs[c][w] = static_cast<int>(c * 0x1000 + w * 0x11);
  regs.TriacCardRegs[7][9] = 0xBEEF;
  EXPECT_EQ(Cell(0), "XXXX") << "the design caption until the first tick";
  panel.Timer1Tick();
  EXPECT_FALSE(flags.RegistersViewDirty);
  EXPECT_EQ(Cell(15), "00FF");
  EXPECT_EQ(Cell(16), "1000") << "label 16 is card 1 word 0";
  EXPECT_EQ(Cell(16 * 7 + 9), "BEEF");
  regs.TriacCardRegs[7][9] = 0x0001;
  panel.Timer1Tick();
  EXPECT_EQ(Cell(16 * 7 + 9), "BEEF") << "not dirty";
  flags.RegistersViewDirty = true;
  panel.Timer1Tick();
  EXPECT_EQ(Cell(16 * 7 + 9), "0001");
}

TEST_F(Lamps, TooltipsAndPlaces) {
  EXPECT_EQ(panel.windowTitle().toStdString(), " Triyak Kartı LED GÖSTERGE");
  EXPECT_EQ(panel.Lamp(0).toolTip().toStdString(), "G00");
  EXPECT_EQ(panel.Lamp(31).toolTip().toStdString(), "G31");
  // A column per card, a row per output.
  EXPECT_EQ(panel.Lamp(5).x(), panel.Lamp(4).x());
  EXPECT_GT(panel.Lamp(4).x(), panel.Lamp(3).x());
  EXPECT_EQ(panel.Lamp(4).y(), panel.Lamp(0).y());
  EXPECT_EQ(States(0, 32), std::vector<int>(32, 0)) << "dark until the first redraw";
}

TEST_F(Lamps, LiveWordsOfTheCardsWhenDirty) {
  panel.Timer1Tick();  // what the image held when the panel opened
  regs.TriacCardRegs[0][2] = 0x4321;
  regs.TriacCardRegs[7][2] = 0x0094;
  panel.Timer1Tick();
  EXPECT_EQ(States(0, 4), std::vector<int>(4, 0)) << "nothing without the flag";
  flags.LiveLampsDirty = true;
  panel.Timer1Tick();
  EXPECT_FALSE(flags.LiveLampsDirty);
  EXPECT_EQ(States(0, 4), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(States(28, 4), (std::vector<int>{4, 0, 0, 0})) << "a flashing digit shows dark";
}

TEST_F(Lamps, SimulationOwnsTheLampsWhileItRuns) {
  flags.SimActive = true;
  std::array<std::int16_t, 32> sim{};
  sim[0] = 4;
  sim[31] = 2;
  sim[15] = 12;
  panel.SetLampStates(sim);
  regs.TriacCardRegs[0][2] = 0x1111;
  flags.LiveLampsDirty = true;
  panel.Timer1Tick();
  EXPECT_EQ(panel.Lamp(0).State(), 4);
  EXPECT_EQ(panel.Lamp(31).State(), 2);
  EXPECT_EQ(panel.Lamp(15).State(), 0);
  EXPECT_TRUE(flags.LiveLampsDirty) << "the card words wait for the simulation to end";
  flags.SimActive = false;
  panel.Timer1Tick();
  EXPECT_EQ(States(0, 4), std::vector<int>(4, 1));
}

TEST_F(Lamps, DecodedCardFramesReachThePanel) {
  FakePort port;
  FakeClock clock;
  bus::ControllerLink link(port, clock, tables->ForLink());
  panel.Timer1Tick();
  link.cmd_RUN();
  link.Timer1Tick();
  port.Receive(Frame({0x21, 0xCE, 0, 2, 0, 0, 0x43, 0x21, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  panel.Timer1Tick();
  EXPECT_EQ(States(4, 4), (std::vector<int>{1, 2, 3, 4})) << "address 33 is card 1, column 1";
}
