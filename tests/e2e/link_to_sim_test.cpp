// Whole conversations between the link driver and the simulated controller over a real
// serial device: polling, transfers and a pulled cable. The client's tests (tests/ctl)
// run the same link core through lossy transfers, the clock, the log and interruptions.

#include <algorithm>
#include <random>

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

TEST_F(LinkToSim, ProgramDownloadArrivesByteForByte) {
  std::mt19937 rng(7);
  for (std::size_t a = 0; a < 0xB000; ++a) image[a] = static_cast<std::uint8_t>(rng());
  Link().PGM_Download(1);
  ASSERT_TRUE(WaitUntil([&] { return shared.RequestCode == bus::request::kDownloadEnd; }, kTransferMs));
  ASSERT_TRUE(Idle(5000));
  Turns(2);
  const sim::Controller& c = StopSim();
  EXPECT_TRUE(SameBytes(c.Memory(), image, 0, 0xB080)) << "0x0000-0xB07F with the checksum at 0xB000";
  EXPECT_EQ(std::make_tuple(c.CommandCount(1006), c.Count().blocksWritten, c.CommandCount(1010)),
            std::make_tuple(1u, 353u, 1u))
      << c.Count().outOfTurn << " frames came too late";
  EXPECT_EQ(c.Count().checksumFailures, 0u);
  EXPECT_EQ(Link().Display().Label2, "Ok..");
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
