#include "link_fixture.h"

using namespace kxtest;

using Transfers = LinkFixture;

TEST_F(Transfers, AnAbandonedDownloadIsToldAndItsWarningStandsUntilADownloadCompletes) {
  GoOnline();
  ctl->PGM_Download(1);
  Turn();
  for (int i = 0; i < 67; ++i) {
    Turn();
    AckBlock();
  }
  ctl->cmd_RUN();  // the link button
  const std::string warning = "Program yüklemesi yarıda kaldı (blok 67 / 353): yüklemeyi yeniden başlatın";
  EXPECT_EQ(std::make_pair(heard.lines.back(), show().Warning),
            std::make_pair(std::string("abandoned download 67/353"), warning));

  GoOnline();  // that the warning outlives the window: tests/shell DownloadUnderWay
  ASSERT_TRUE(ctl->PGM_Upload());
  ctl->RTC_Esitle();
  // A command that replaces a transfer ends it; only a download that completes clears the warning.
  EXPECT_EQ(std::make_pair(heard.lines.back(), show().Warning),
            std::make_pair(std::string("abandoned upload 0/512"), warning));

  DownloadAllBlocks();
  EXPECT_EQ(show().Warning, warning) << "not cleared before the end command has left";
  Turn();
  EXPECT_EQ(std::make_tuple(show().Warning, heard.lines.back(), shared.InterruptedDownloadBlocks),
            std::make_tuple(std::string(), std::string("completed download 353/353"), -1));

  // Closing the window abandons what runs, and tells it once.
  ASSERT_TRUE(ctl->BTN_Hata_Oku());
  ctl->Stop();
  EXPECT_EQ(std::make_tuple(port.IsOpen(), ctl->LinkRunning(), shared.RequestCode),
            std::make_tuple(false, false, std::int16_t{0}));
  EXPECT_EQ(heard.lines.back(), "abandoned log 0/32");
  ctl.reset();
  EXPECT_EQ(heard.lines.back(), "abandoned log 0/32") << "told once";
}
