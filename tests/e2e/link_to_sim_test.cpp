// Whole conversations between the link driver and the simulated controller over a real
// serial device: polling, clock, transfers and a pulled cable. The client's tests
// (tests/ctl) run the same link core through lossy transfers, the log and the commands.

#include <algorithm>

#include "e2e_fixture.h"

namespace e2e {
namespace {

constexpr int kTransferMs = 60000;

bool SameBytes(const program::ProgramImage& a, const program::ProgramImage& b, std::size_t from,
               std::size_t to) {
  return std::equal(a.begin() + static_cast<long>(from), a.begin() + static_cast<long>(to),
                    b.begin() + static_cast<long>(from));
}

TEST_F(LinkToSim, PollCycleFillsTheRegisterImage) {
  Turns(9);
  EXPECT_NE(Link().Display().LBL_CPU_rtc, "CPU_RTC") << "the clock read came back";
  EXPECT_NE(Link().Display().MB_RX_LBL, "");
  const auto some = [](const auto& words) {
    return std::any_of(words.begin(), words.end(), [](int w) { return w != 0; });
  };
  EXPECT_TRUE(some(regs.CpuCardRegs)) << "the register block reply was decoded";
  EXPECT_TRUE(some(regs.TriacCardRegs[7]) && some(regs.GpsRegs) && some(regs.DetectorRegs));
  EXPECT_LE(Link().Decoder().Counters().refused, 1u)
      << "a clean bus has no line to refuse but one cut at the opening";
  const sim::Controller& c = StopSim();
  EXPECT_GE(c.Count().registerReads, 3u);
  EXPECT_GE(c.Count().clockReads, 3u);
  EXPECT_GT(c.Count().turns, c.Count().registerReads + c.Count().clockReads)
      << "every third turn is left empty";
  EXPECT_EQ(c.Count().badFrames, 0u);
}

TEST_F(LinkToSim, ClockSettingIsAcknowledged) {
  Link().RTC_Esitle();
  ASSERT_TRUE(Idle(5000));
  const sim::Controller& c = StopSim();
  EXPECT_EQ(c.Count().clockSets, 1u);
  const bus::DateTime pc = clock.Now();
  const bus::DateTime ctl = c.ClockAt(sim::host::SteadyMs());
  EXPECT_EQ(ctl.year, pc.year);
  EXPECT_EQ(ctl.isoWeekday, pc.isoWeekday);
  EXPECT_NEAR(ctl.hour * 3600 + ctl.minute * 60 + ctl.second, pc.hour * 3600 + pc.minute * 60 + pc.second, 3);
}

TEST_F(LinkToSim, ProgramDownloadArrivesByteForByte) {
  FillRandom(image, 0xB000, 7);
  Link().PGM_Download(1);
  ASSERT_TRUE(WaitUntil([&] { return shared.RequestCode == bus::request::kDownloadEnd; }, kTransferMs));
  ASSERT_TRUE(Idle(5000));
  Turns(2);
  const sim::Controller& c = StopSim();
  EXPECT_TRUE(SameBytes(c.Memory(), image, 0, 0xB080)) << "0x0000-0xB07F with the checksum at 0xB000";
  EXPECT_EQ(c.CommandCount(1006), 1u) << c.Count().outOfTurn << " frames came too late";
  EXPECT_EQ(c.Count().blocksWritten, 353u) << c.Count().outOfTurn << " frames came too late";
  EXPECT_EQ(c.CommandCount(1010), 1u);
  EXPECT_EQ(c.Count().checksumFailures, 0u);
  EXPECT_EQ(Link().Display().Label2, "Ok..");
}

TEST_F(LinkToSim, AnInterruptedDownloadIsToldWithTheBlockItReached) {
  FillRandom(image, 0xB000, 5);
  Link().PGM_Download(1);
  ASSERT_TRUE(WaitUntil([&] { return shared.TransferAddress >= 20 * 128; }, kTransferMs));
  Link().cmd_RUN();
  const std::string ended = heard.lines.back();
  ASSERT_TRUE(ended.starts_with("abandoned download ")) << ended;
  const int blocks = std::stoi(ended.substr(19));
  EXPECT_GE(blocks, 20);
  EXPECT_EQ(Link().Display().Warning, bus::InterruptedDownloadText(blocks, 353));
  EXPECT_TRUE(StopSim().Downloading()) << "the controller is left waiting for the rest";
}

class RunningBus : public LinkToSim {
 protected:
  void SetUp() override { Begin(FastBus(), 300); }
};

TEST_F(RunningBus, TheFirstTurnIsAnsweredOnceWithTheRegisterRead) {
  Turns(6);
  const auto story = heard.Of({"turn", "written"});
  ASSERT_GE(story.size(), 2u);
  EXPECT_EQ(story[0], "turn") << "what waited from before the opening is not taken for turns";
  EXPECT_EQ(story[1], "written 1 :010320000010CC");
  EXPECT_EQ(StopSim().Count().outOfTurn, 0u) << "never two frames in one turn";
}

TEST_F(LinkToSim, UploadResumesAfterTheDeviceWasPulled) {
  Link().PGM_Upload();
  ASSERT_TRUE(WaitUntil([&] { return shared.TransferAddress >= 0x4000; }, kTransferMs));
  std::string error;
  ASSERT_TRUE(m_sim->Replug(error)) << error;
  PointLink();
  ASSERT_TRUE(WaitUntil([&] { return !Link().PortOpen() || Link().Display().L_Comm_Status != "xxx"; }, 3000));
  ASSERT_TRUE(Idle(kTransferMs)) << "the upload goes on where it was once the device is back";
  EXPECT_EQ(Link().Display().Label2, "10000");
  const sim::Controller& c = StopSim();
  EXPECT_TRUE(SameBytes(c.Memory(), image, 0, 0x10000));
}

}  // namespace
}  // namespace e2e
