#include "link/service_commands.h"
#include "link_fixture.h"

using namespace kxtest;

namespace {
const std::string kRegRead = ":010320000010CC\r\n";
const std::string kClockRead = ":10CF00031E\r\n";
}  // namespace

using RequestEngine = LinkFixture;

TEST_F(RequestEngine, PollCycleCommandsAndUnknownCodes) {
  GoOnline();
  clock.ms += 100;
  port.Receive(PcTurnFrame());
  ASSERT_EQ(port.written, std::vector<std::string>{kRegRead}) << "answered in the receive event, no tick";
  // The third turn sends nothing; PollStep is 1 again at the fourth.
  EXPECT_EQ((std::vector<std::string>{Turn(), Turn(), Turn()}),
            (std::vector<std::string>{kClockRead, "", kRegRead}));

  // Repeating until confirmed and sending a service command once: tests/ctl.
  ctl->RTC_Esitle();
  EXPECT_TRUE(Turn().starts_with(":10CF0103")) << "a command goes out at the first turn";

  EXPECT_FALSE(ctl->Service_cmd(-1) || ctl->Service_cmd(5));

  shared.RequestCode = 50;
  EXPECT_EQ(Turn(), "");
  EXPECT_EQ(shared.RequestCode, 0);
  EXPECT_EQ(Turn(), kRegRead) << "poll starts again at its first step";
}

TEST_F(RequestEngine, ADownloadSendsTheImageAsItWasWhenItStartedAndOnlyItsBlocksAckMovesItOn) {
  GoOnline();
  image[0] = 0x12;
  ctl->PGM_Download(1);
  image.fill(0x77);  // another project opened while the download runs
  EXPECT_EQ(Turn(), ":10CF016303EE0000CC\r\n");
  const std::string first = ":10CF010400000080" + std::string("12") + std::string(30, '0');
  ASSERT_TRUE(Turn().starts_with(first)) << "first block at the next turn";
  Hear(Frame({0x01, 0xD0, 0x01, 0x04, 0x00, 0x80}));  // the acknowledgement of another block
  Hear(Frame({0x01, 0xD0, 0x01, 0x04}));              // one that names no block
  EXPECT_TRUE(Turn().starts_with(first)) << "the block is sent again";
  while (shared.TransferAddress < 0xB000) {
    AckBlock();
    Turn();
  }
  EXPECT_TRUE(port.written.back().starts_with(":10CF0104B00000800012")) << "the checksum of the program sent";
}

TEST_F(RequestEngine, SystemDownloadSendsTheRowChosenAtTheStartThenResets) {
  GoOnline();
  model.PgmSteps[0][1][0] = 7;
  model.PgmSteps[0][1][1] = 0x11;
  ctl->PGM_Download(0);
  model.PgmSteps[0][1][1] = 0x99;  // edited while the download waits for its turn
  const auto f = Turn();
  EXPECT_TRUE(f.starts_with(":10CF01020058001211")) << f;
  EXPECT_EQ(f.substr(49, 4), "0007");  // the reset that follows: tests/ctl SystemDownload...
}

TEST_F(RequestEngine, ACommandGivenWhileACommandSentOnceWaitsComesAfterIt) {
  GoOnline();
  Turn();
  ASSERT_TRUE(ctl->Service_cmd(2));
  clock.ms += 1;
  port.Receive(PcTurnFrame());  // builds 1003 inside the gap
  ctl->RTC_Esitle();
  clock.ms += 1;
  port.Receive(PcTurnFrame());  // would build the clock setting over it
  clock.ms += 20;
  ctl->Timer1Tick();
  EXPECT_EQ(port.written.back(), ":10CF016303EB0000CF\r\n");
  EXPECT_EQ(shared.RequestCode, 100) << "the later command is not moved on by the earlier one's send";
  EXPECT_TRUE(Turn().starts_with(":10CF0103"));
}

// A command sent once is never replaced by a later turn's frame before it has left,
// whether the turns come in one read or inside the send gap; the gap lets one frame out.
struct OnceCase {
  std::int16_t code;
  const char* frame;  // the command on the wire
  const char* next;   // what the turn after it sends
};

// The turns come in one read, or one by one inside the gap.
class OnceFrames : public LinkFixture, public ::testing::WithParamInterface<std::tuple<OnceCase, bool>> {};

TEST_P(OnceFrames, NeverReplacedBeforeTheyLeave) {
  const auto& [c, oneRead] = GetParam();
  GoOnline();
  if (c.code == bus::request::kDownloadEnd) {
    DownloadAllBlocks();
  } else {
    Turn();
    if (c.code == bus::request::kDownloadStart)
      ctl->PGM_Download(1);
    else
      ASSERT_TRUE(ctl->Service_cmd(c.code - bus::service::kResetCpu));
  }
  const std::size_t before = port.written.size();
  clock.ms += 1;  // inside the gap of the last send
  port.Receive(PcTurnFrame() + (oneRead ? PcTurnFrame() : ""));
  clock.ms += 1;
  if (!oneRead) port.Receive(PcTurnFrame());
  for (int i = 0; i < 3; ++i) {
    clock.ms += 10;
    ctl->Timer1Tick();
  }
  EXPECT_EQ(std::vector(port.written.begin() + static_cast<long>(before), port.written.end()),
            std::vector<std::string>{c.frame});
  EXPECT_TRUE(Turn().starts_with(c.next));
}

constexpr OnceCase kOnce[] = {
    {1006, ":10CF016303EE0000CC\r\n", ":10CF0104000000"},
    {1010, ":10CF016303F20000C8\r\n", ":0103"},
    {1003, ":10CF016303EB0000CF\r\n", ":10CF0003"},
};
INSTANTIATE_TEST_SUITE_P(Commands, OnceFrames,
                         ::testing::Combine(::testing::ValuesIn(kOnce), ::testing::Bool()));
