// "Doğrula" in the communication window: offered after a download, and what the user
// reads when the controller's program is, or is not, the project's.

#include <gtest/gtest.h>

#include <QPushButton>

#include <memory>

#include "monitor/comm_window.h"
#include "program/program_checksum.h"
#include "tests/link/fakes.h"
#include "views_app.h"

namespace {

using kxtest::Child;

class CommWindowVerify : public kxtest::ViewTest {
 protected:
  void SetUp() override {
    auto fake = std::make_unique<kxtest::FakePort>();
    port = fake.get();
    window = std::make_unique<monitor::Frm_T_24VOC>(std::move(fake), clock, *tables);
    window->AskHarm = [](const QString&) { return true; };
    QObject::connect(window.get(), &monitor::Frm_T_24VOC::verifyDifferences,
                     [this](const std::vector<program::ImageDifference>& d) { listed.push_back(d); });
    QObject::connect(window.get(), &monitor::Frm_T_24VOC::statusMessage,
                     [this](const QString& text) { status = text; });
  }
  void Tick() {
    clock.ms += 10;
    window->Link().Timer1Tick();
    window->SCR_Refresh_Timer_Tick();
  }
  void Turn() {
    clock.ms += 30;
    port->Receive(kxtest::PcTurnFrame());
    Tick();
  }
  // Turns and the controller's replies: a block from its memory, or the
  // acknowledgement of the block written.
  void Answer(int blocks, bool reading) {
    for (int i = 0; i < blocks; ++i) {
      Turn();
      const int a = tables->shared.TransferAddress;
      std::vector<int> b = {
          0x01, reading ? 0xCF : 0xD0, reading ? 0x00 : 0x01, 0x04, (a >> 8) & 0xFF, a & 0xFF, 0x00, 0x80};
      for (int n = 0; reading && n < 128; ++n) b.push_back(controller[static_cast<std::size_t>(a + n)]);
      port->Receive(kxtest::Frame(b));
    }
  }
  QPushButton& Verify() { return Child<QPushButton>(*window, "BTN_Dogrula"); }
  QString Result() { return Child<QLabel>(*window, "TransferResult").text(); }

  kxtest::FakeClock clock;
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  std::unique_ptr<program::ProgramImage> memory = std::make_unique<program::ProgramImage>();
  program::ProgramImage& controller = *memory;  // what the controller holds
  kxtest::FakePort* port = nullptr;
  std::unique_ptr<monitor::Frm_T_24VOC> window;
  std::vector<std::vector<program::ImageDifference>> listed;
  QString status;
};

TEST_F(CommWindowVerify, OfferedAfterADownloadAndWhileNothingRuns) {
  EXPECT_FALSE(Verify().isEnabled()) << "the port is closed";
  Child<QPushButton>(*window, "cmd_RUN").click();
  Tick();
  EXPECT_TRUE(Verify().isEnabled());
  Child<QPushButton>(*window, "PGM_Download").click();
  EXPECT_FALSE(Verify().isEnabled()) << "a download runs";
  Answer(1 + static_cast<int>(program::kDownloadEnd) / 128, false);
  Turn();  // the download's end command
  EXPECT_TRUE(Verify().isEnabled());
  EXPECT_TRUE(Result().contains("Doğrula'ya basın")) << Result().toStdString();
  Verify().click();
  EXPECT_FALSE(Verify().isEnabled()) << "the verify read runs";
  EXPECT_EQ(Result(), "");
}

TEST_F(CommWindowVerify, TellsTheOutcome) {
  tables->image[0x0085] = 180;  // PR02
  controller = tables->image;
  program::WriteProgramChecksum(controller);
  const struct {
    const char* what;
    int controllerPr02;
    int blocks;  // answered before the link is switched off
    const char* result;
    std::size_t differences;  // listed for the user; 0 for no list
  } cases[] = {
      {"same", 180, 512, "Doğrulandı: kontrolördeki program projedekiyle birebir aynı", 0},
      {"different", 190, 512, "Doğrulama: kontrolördeki program projedekinden farklı, 1 fark", 1},
      {"abandoned", 190, 10, "Doğrulama okuması yarıda kesildi: karşılaştırma yapılmadı", 0},
  };
  Child<QPushButton>(*window, "cmd_RUN").click();
  Tick();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    listed.clear();
    controller[0x0085] = static_cast<std::uint8_t>(c.controllerPr02);
    Verify().click();
    Answer(c.blocks, true);
    if (c.blocks < 512) Child<QPushButton>(*window, "cmd_RUN").click();
    EXPECT_EQ(Result(), c.result);
    EXPECT_EQ(status, c.result);
    ASSERT_EQ(listed.size(), c.differences > 0 ? 1u : 0u);
    if (c.differences > 0) {
      ASSERT_EQ(listed[0].size(), c.differences);
      EXPECT_EQ(listed[0][0].text, "PR02: 180 -> 190");
    }
    EXPECT_EQ(tables->image[0x0085], 180) << "the project stays as it was";
  }
}

}  // namespace
