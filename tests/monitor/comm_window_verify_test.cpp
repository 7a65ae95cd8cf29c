// "Doğrula" in the communication window: offered after a download, and what the user
// reads when the controller's program is, or is not, the project's.

#include <gtest/gtest.h>

#include <QPushButton>

#include <memory>

#include "monitor/comm_window.h"
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
    QObject::connect(window.get(), &monitor::Frm_T_24VOC::verifyDifferences, [this](const auto& differences) {
      for (const program::ImageDifference& d : differences) listed << QString::fromStdString(d.text);
    });
    QObject::connect(window.get(), &monitor::Frm_T_24VOC::statusMessage,
                     [this](const QString& t) { status = t; });
  }
  void Click(const char* name) { Child<QPushButton>(*window, name).click(); }
  // PC turns, each answered by the controller: a block of its memory, or the
  // acknowledgement of the block written.
  void Answer(int turns, bool reading) {
    for (int i = 0; i < turns; ++i) {
      clock.ms += 40;
      port->Receive(kxtest::PcTurnFrame());
      window->Link().Timer1Tick();
      window->SCR_Refresh_Timer_Tick();
      const int a = tables->shared.TransferAddress;
      std::vector<int> b = {1, reading ? 0xCF : 0xD0, reading ? 0 : 1, 4, (a >> 8) & 0xFF, a & 0xFF, 0, 0x80};
      for (int n = 0; reading && n < 128; ++n) b.push_back((*controller)[static_cast<std::size_t>(a + n)]);
      port->Receive(kxtest::Frame(b));
    }
  }
  QPushButton& Verify() { return Child<QPushButton>(*window, "BTN_Dogrula"); }
  QString Result() { return Child<QLabel>(*window, "TransferResult").text(); }

  kxtest::FakeClock clock;
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  std::unique_ptr<program::ProgramImage> controller = std::make_unique<program::ProgramImage>();
  kxtest::FakePort* port = nullptr;
  std::unique_ptr<monitor::Frm_T_24VOC> window;
  QStringList listed;
  QString status;
};

TEST_F(CommWindowVerify, OfferedAfterADownloadAndTellsTheOutcome) {
  EXPECT_FALSE(Verify().isEnabled()) << "the port is closed";
  Click("cmd_RUN");
  window->Link().Timer1Tick();
  window->SCR_Refresh_Timer_Tick();
  EXPECT_TRUE(Verify().isEnabled());
  tables->image[0x0085] = 180;  // PR02
  Click("PGM_Download");
  EXPECT_FALSE(Verify().isEnabled()) << "a download runs";
  Answer(2 + static_cast<int>(program::kDownloadEnd) / 128, false);  // the end command goes at the last turn
  EXPECT_TRUE(Result().contains("Doğrula'ya basın")) << Result().toStdString();
  *controller = tables->image;  // with the checksum the download wrote

  const struct {
    int controllerPr02;
    int blocks;  // answered before the link is switched off
    const char* result;
    QStringList listed;
  } cases[] = {
      {180, 512, "Doğrulandı: kontrolördeki program projedekiyle birebir aynı", {}},
      {190, 512, "Doğrulama: kontrolördeki program projedekinden farklı, 1 fark", {"PR02: 180 -> 190"}},
      {190, 10, "Doğrulama okuması yarıda kesildi: karşılaştırma yapılmadı", {}},
  };
  for (const auto& c : cases) {
    listed.clear();
    (*controller)[0x0085] = static_cast<std::uint8_t>(c.controllerPr02);
    Click("BTN_Dogrula");
    EXPECT_FALSE(Verify().isEnabled()) << "the verify read runs";
    Answer(c.blocks, true);
    if (c.blocks < 512) Click("cmd_RUN");
    EXPECT_EQ(Result(), c.result);
    EXPECT_EQ(status, c.result);
    EXPECT_EQ(listed, c.listed) << c.result;
    EXPECT_EQ(tables->image[0x0085], 180) << "the project stays as it was";
  }
}

}  // namespace
