// The output cards window on a real link: refreshed at the PC's turns while open, only then.

#include <QPushButton>
#include <QSignalSpy>

#include "monitor/cpu_card_panel.h"
#include "monitor/output_cards_window.h"
#include "monitor/traffic_lamp.h"
#include "monitor/triac_card_panel.h"
#include "tests/link/link_fixture.h"
#include "views_app.h"

using namespace kxtest;
using monitor::CikisKartlari;

namespace {

struct OutputCards : LinkFixture {
  static void SetUpTestSuite() { EnsureApplication(); }
  std::unique_ptr<CikisKartlari> window = std::make_unique<CikisKartlari>(*tables);

  void SetUp() override {
    flags.TablesReady = true;
    GoOnline();
  }
  std::string Card(int i, const char* name) { return TextOf(Child(window->TriacPanel(i), name)); }
  std::string Cpu(const char* name) { return TextOf(Child(window->CpuPanel(), name)); }
  // Every card running on 25 V with lamp word 0x1234 + card, card 2 in fault; then the CPU card.
  void HearAllCards() {
    for (int c = 0; c < 8; ++c)
      Hear(Frame(Words({0x20 + c, 0xCE}, {2, 0, 0x1234 + c, 0, 1000, 0, 0, 0, 2500, c == 2 ? 8 : 0})));
    Hear(Frame(Words({0x01, 0x03, 0x20}, {2, 0, 0, 23000, 5000, 2400, 0, 31, 150, 0, 0, 0, 0, 0, 0, 0})));
  }
};

TEST_F(OutputCards, ClosedWindowIsUntouchedTheFirstTurnAfterOpeningFillsItAndItsButtonsAsk) {
  HearAllCards();
  Turn();
  EXPECT_EQ(Card(0, "TRY_LBL") + Card(7, "Lbl_Status") + Cpu("Lbl_Status(0)"), "00statusstatus");

  window->show();
  EXPECT_TRUE(flags.CardsViewOpen);
  EXPECT_EQ(Card(0, "TRY_LBL"), "00") << "nothing before the next turn";
  Turn();
  std::string cards;
  for (int c = 0; c < 8; ++c) cards += Card(c, "TRY_LBL") + Card(c, "Lbl_Status") + " ";
  EXPECT_EQ(cards + Card(2, "Label1"), "01Run 02Run 03Error 04Run 05Run 06Run 07Run 08Run 0008");
  // Panel 7 shows card 7, bus address 39: lamp word 0x123B, its nibbles lowest first.
  EXPECT_EQ(Child<monitor::Trf_Lamp>(window->TriacPanel(7), "Trf_Lamp1(1)").State(), 3);
  EXPECT_EQ(Cpu("Lbl_Status(0)") + " " + Cpu("Lbl_CPU_Regs(3)") + " " + Cpu("Lbl_CPU_Regs(7)"),
            "Run 230 V 31 C");

  // The last state stays until a card says offline, and after the link goes off.
  Hear(Frame(Words({0x25, 0xCE}, {0, 0, 0, 0, 0, 0, 0, 0, 2500, 0})));
  Turn();
  EXPECT_EQ(Card(5, "Lbl_Status"), "Ofline");
  ctl->cmd_RUN();
  ctl->Timer1Tick();
  EXPECT_EQ(Card(4, "Lbl_Status") + " " + Card(4, "Lbl_PSU_Voltage") + " " + Cpu("Lbl_Status(0)"),
            "Run 24 V Run");
  window->close();
  EXPECT_FALSE(flags.CardsViewOpen);

  EXPECT_EQ(&window->TriacPanel(99), &window->TriacPanel(7)) << "an index outside is clamped";
  QSignalSpy registers(window.get(), &CikisKartlari::registersRequested);
  QSignalSpy lamps(window.get(), &CikisKartlari::lampsRequested);
  Child<QPushButton>(*window, "BTN_Registers").click();
  Child<QPushButton>(*window, "BTN_Lamps").click();
  EXPECT_EQ(std::pair(registers.count(), lamps.count()), (std::pair<qsizetype, qsizetype>(1, 1)));
  // Destroyed while open, the window clears its flag.
  window->show();
  window.reset();
  EXPECT_FALSE(flags.CardsViewOpen);
  HearAllCards();
  Turn();  // the window that is gone no longer listens
}

}  // namespace
