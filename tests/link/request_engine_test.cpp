#include <gtest/gtest.h>

#include "link_fixture.h"

using namespace kxtest;

namespace {
const std::string kRegRead = ":010320000010CC\r\n";
const std::string kClockRead = ":10CF00031E\r\n";
}  // namespace

using RequestEngine = LinkFixture;

TEST_F(RequestEngine, IdlePollCycles) {
  GoOnline();
  EXPECT_EQ(Turn(), kRegRead);
  EXPECT_EQ(Turn(), kClockRead);
  EXPECT_EQ(Turn(), "") << "third turn sends nothing";
  EXPECT_EQ(Turn(), kRegRead);
  EXPECT_EQ(show().MB_TX_LBL, ":010320000010CC (17)");
}

TEST_F(RequestEngine, CommandReplacesPollAndPollResumes) {
  GoOnline();
  EXPECT_EQ(Turn(), kRegRead);  // PollStep is now 1
  ctl->RTC_Esitle();
  const auto set1 = Turn();
  EXPECT_TRUE(set1.starts_with(":10CF0103")) << set1;
  EXPECT_TRUE(Turn().starts_with(":10CF0103")) << "repeated until acknowledged";
  Hear(Frame({0x01, 0xD0, 0x01, 0x03}));
  EXPECT_EQ(shared.RequestCode, 0);
  EXPECT_EQ(Turn(), kClockRead) << "the cycle goes on from the step it had reached";
}

TEST_F(RequestEngine, ServiceCommandsSentOnce) {
  GoOnline();
  ASSERT_TRUE(ctl->Service_cmd(2));
  EXPECT_EQ(Turn(), ":10CF016303EB0000CF\r\n");
  EXPECT_EQ(Turn(), kRegRead);
  EXPECT_FALSE(ctl->Service_cmd(-1));
  EXPECT_FALSE(ctl->Service_cmd(5));
}

TEST_F(RequestEngine, UnknownCodeResetsPoll) {
  GoOnline();
  EXPECT_EQ(Turn(), kRegRead);
  shared.RequestCode = 50;
  EXPECT_EQ(Turn(), "");
  EXPECT_EQ(shared.RequestCode, 0);
  EXPECT_EQ(Turn(), kRegRead) << "poll starts again at its first step";
}

TEST_F(RequestEngine, DownloadStartThenFirstBlock) {
  GoOnline();
  image[0] = 0x12;
  ctl->PGM_Download(1);
  EXPECT_EQ(image[0xB000], 0x00);
  EXPECT_EQ(image[0xB001], 0x12) << "checksum written before the download";
  EXPECT_EQ(Turn(), ":10CF016303EE0000CC\r\n");
  EXPECT_EQ(shared.RequestCode, 220);
  EXPECT_TRUE(Turn().starts_with(":10CF010400000080120000")) << "first block at the next turn";
}

TEST_F(RequestEngine, ChecksumOfFullImage) {
  image.fill(0xFF);
  bus::WriteProgramChecksum(image);
  EXPECT_EQ(image[0xB000], 0x50);
  EXPECT_EQ(image[0xB001], 0x00);
  image.fill(0);
  bus::WriteProgramChecksum(image);
  EXPECT_EQ(image[0xB000] | image[0xB001], 0);
}

TEST_F(RequestEngine, SystemDownloadThenReset) {
  GoOnline();
  model.PgmSteps[0][1][0] = 7;
  model.PgmSteps[0][1][1] = 0x11;
  ctl->SetMemoryListIndex(0);
  ctl->PGM_Download(0);
  const auto f = Turn();
  EXPECT_TRUE(f.starts_with(":10CF01020058001211")) << f;
  EXPECT_EQ(f.substr(49, 4), "0007");
  Hear(Frame({0x01, 0xD0, 0x01, 0x02}));
  EXPECT_EQ(shared.RequestCode, 1001);
  EXPECT_EQ(Turn(), ":10CF016303E90000D1\r\n") << "reset CPU follows the system memory";
}

TEST_F(RequestEngine, TwoTurnsInsideTheGapSendOnce) {
  GoOnline();
  EXPECT_EQ(Turn(), kRegRead);
  // Two turns within 20 ms of the last send: both build, only the last goes out.
  clock.ms += 1;
  port.Receive(PcTurnFrame());  // builds the clock read
  ctl->RTC_Esitle();
  clock.ms += 1;
  port.Receive(PcTurnFrame());  // builds the clock setting over it
  ctl->Timer1Tick();
  EXPECT_EQ(port.written.size(), 1u) << "nothing inside the gap";
  clock.ms += 20;
  ctl->Timer1Tick();
  ctl->Timer1Tick();
  ASSERT_EQ(port.written.size(), 2u);
  EXPECT_TRUE(port.written.back().starts_with(":10CF0103")) << port.written.back();
}

TEST_F(RequestEngine, SendsAtTheTurnWhenTheGapHasPassed) {
  GoOnline();
  clock.ms += 100;
  port.Receive(PcTurnFrame());
  ASSERT_EQ(port.written.size(), 1u) << "answered in the receive event, no tick needed";
  EXPECT_EQ(port.written[0], kRegRead);
}
