// The output cards window driven by a real link: refreshed at the PC's turns while it
// is open, and only then.

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

// A card's function-206 frame carrying its ten words.
std::string CardFrame(int card, const std::array<int, 10>& words) {
  std::vector<int> bytes = {0x20 + card, 0xCE};
  for (int w : words) {
    bytes.push_back((w >> 8) & 0xFF);
    bytes.push_back(w & 0xFF);
  }
  return Frame(bytes);
}

// The CPU card's reply to the PC's register read, words 0x2000..0x200F.
std::string CpuFrame(const std::array<int, 16>& words) {
  std::vector<int> bytes = {0x01, 0x03, 0x20};
  for (int w : words) {
    bytes.push_back((w >> 8) & 0xFF);
    bytes.push_back(w & 0xFF);
  }
  return Frame(bytes);
}

struct OutputCards : LinkFixture {
  static void SetUpTestSuite() { EnsureApplication(); }
  std::unique_ptr<CikisKartlari> window = std::make_unique<CikisKartlari>(regs, flags);

  void SetUp() override {
    flags.TablesReady = true;
    ctl->Tazele = [this] { window->Tazele(); };
    GoOnline();
  }
  QLabel& Card(int i, const char* name) {
    return Child(window->TriacPanel(i), QString::fromUtf8(name));
  }
  QLabel& Cpu(const char* name) { return Child(window->CpuPanel(), QString::fromUtf8(name)); }
  void HearAllCards() {
    for (int c = 0; c < 8; ++c) {
      Hear(CardFrame(c, {2, 0, 0x1234 + c, 0, 1000 + c, 0, 0, 0, 2500, c == 2 ? 0x0008 : 0}));
    }
    Hear(CpuFrame({2, 0, 0, 23000, 5000, 2400, 0, 31, 150}));
  }
};

}  // namespace

TEST_F(OutputCards, PanelsStandAsLaidOut) {
  EXPECT_EQ(window->windowTitle().toStdString(), "Cihaz Bilgileri...");
  EXPECT_EQ(window->TriacPanel(1).x(), window->TriacPanel(1).width());
  EXPECT_GT(window->TriacPanel(7).x(), window->TriacPanel(6).x() + window->TriacPanel(6).width() - 1);
  EXPECT_GT(window->CpuPanel().x(), window->TriacPanel(7).x() + window->TriacPanel(7).width() - 1);
  EXPECT_EQ(&window->TriacPanel(99), &window->TriacPanel(7)) << "an index outside is clamped";
  EXPECT_EQ(&Child<monitor::Triyak_Karti>(*window, "Triyak_Karti1(7)"), &window->TriacPanel(7));
  EXPECT_EQ(&Child<monitor::KX7145V1>(*window, "KX7145V11"), &window->CpuPanel());
}

TEST_F(OutputCards, ClosedWindowIsUntouchedAndTheFirstTurnAfterOpeningFillsIt) {
  QSignalSpy opened(window.get(), &CikisKartlari::viewOpenChanged);
  HearAllCards();
  Turn();
  EXPECT_EQ(TextOf(Card(0, "TRY_LBL")), "00");
  EXPECT_EQ(TextOf(Card(7, "Lbl_Status")), "status");
  EXPECT_EQ(TextOf(Cpu("Lbl_Status(0)")), "status");

  window->show();
  EXPECT_TRUE(flags.CardsViewOpen);
  ASSERT_EQ(opened.count(), 1);
  EXPECT_TRUE(opened.takeFirst().at(0).toBool());
  EXPECT_EQ(TextOf(Card(0, "TRY_LBL")), "00") << "nothing before the next turn";

  Turn();
  for (int c = 0; c < 8; ++c) {
    EXPECT_EQ(TextOf(Card(c, "TRY_LBL")), "0" + std::to_string(c + 1));
    EXPECT_EQ(TextOf(Card(c, "Lbl_Status")), c == 2 ? "Error" : "Run");
  }
  EXPECT_EQ(TextOf(Card(2, "Label1")), "0008");
  EXPECT_EQ(Back(Card(2, "R9_Err_IO")), kRedC);
  // Card 7 is bus address 39: its lamp word is 0x1234 + 7.
  auto& lamp0 = Child<monitor::Trf_Lamp>(window->TriacPanel(7), "Trf_Lamp1(0)");
  EXPECT_EQ(lamp0.State(), 0) << "digit B is no lamp state";
  EXPECT_EQ(Child<monitor::Trf_Lamp>(window->TriacPanel(7), "Trf_Lamp1(1)").State(), 3);
  EXPECT_EQ(Child<monitor::Trf_Lamp>(window->TriacPanel(0), "Trf_Lamp1(0)").State(), 4);
  EXPECT_EQ(TextOf(Cpu("Lbl_Status(0)")), "Run");
  EXPECT_EQ(TextOf(Cpu("Lbl_CPU_Regs(3)")), "230 V");
  EXPECT_EQ(TextOf(Cpu("Lbl_CPU_Regs(7)")), "31 C");

  window->close();
  EXPECT_FALSE(flags.CardsViewOpen);
  ASSERT_EQ(opened.count(), 1);
  EXPECT_FALSE(opened.takeFirst().at(0).toBool());
}

TEST_F(OutputCards, PanelsKeepTheirLastStateWhenTheBusFallsSilent) {
  window->show();
  HearAllCards();
  Turn();
  ctl->cmd_RUN();  // link off
  ctl->Timer1Tick();
  EXPECT_EQ(TextOf(Card(4, "Lbl_Status")), "Run");
  EXPECT_EQ(Back(Child<QWidget>(window->TriacPanel(4), "Shape1")), kGreenC);
  EXPECT_EQ(TextOf(Card(4, "Lbl_PSU_Voltage")), "24 V");
  EXPECT_EQ(TextOf(Cpu("Lbl_Status(0)")), "Run");
}

TEST_F(OutputCards, OfflineCardShowsOnlyFromItsOwnStateWord) {
  window->show();
  HearAllCards();
  Turn();
  Hear(CardFrame(5, {0, 0, 0, 0, 0, 0, 0, 0, 2500, 0}));
  Turn();
  EXPECT_EQ(TextOf(Card(5, "Lbl_Status")), "Ofline");
  EXPECT_EQ(TextOf(Card(6, "Lbl_Status")), "Run");
}

TEST_F(OutputCards, DestroyingTheOpenWindowClearsItsFlag) {
  window->show();
  ASSERT_TRUE(flags.CardsViewOpen);
  window.reset();
  EXPECT_FALSE(flags.CardsViewOpen);
  HearAllCards();
  Turn();  // the link must not call into a window that is gone
}

TEST_F(OutputCards, ButtonsAskForTheRawViews) {
  QSignalSpy registers(window.get(), &CikisKartlari::registersRequested);
  QSignalSpy lamps(window.get(), &CikisKartlari::lampsRequested);
  Child<QPushButton>(*window, "BTN_Registers").click();
  Child<QPushButton>(*window, "BTN_Lamps").click();
  EXPECT_EQ(registers.count(), 1);
  EXPECT_EQ(lamps.count(), 1);
}
