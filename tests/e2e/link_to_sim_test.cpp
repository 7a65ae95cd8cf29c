// The link driver and the simulated controller over a real serial device: polling, the
// first turn and a pulled cable. Whole transfers are the client's tests' (tests/ctl).

#include <algorithm>
#include <functional>

#include "e2e_fixture.h"

namespace e2e {
namespace {

constexpr int kTransferMs = 60000;

TEST_F(LinkToSim, TheFirstTurnIsAnsweredOnceAndThePollFillsTheImage) {
  Turns(9);
  const auto story = heard.Of({"turn", "written"});
  ASSERT_GE(story.size(), 2u);
  EXPECT_EQ(story[0], "turn") << "what waited from before the opening is not taken for turns";
  EXPECT_EQ(story[1], "written 1 :010320000010CC");
  EXPECT_NE(Link().Display().LBL_CPU_rtc, "CPU_RTC") << "the clock read came back";
  // Some word not zero.
  const auto some = [](const auto& words) { return std::ranges::any_of(words, std::identity{}); };
  EXPECT_TRUE(some(regs.CpuCardRegs) && some(regs.TriacCardRegs[7]) && some(regs.GpsRegs) &&
              some(regs.DetectorRegs));
  EXPECT_LE(Link().Decoder().Counters().refused, 1u) << "no line to refuse but one cut at the opening";
  const sim::Controller& c = StopSim();
  EXPECT_EQ(std::make_tuple(c.Count().outOfTurn, c.Count().badFrames), std::make_tuple(0u, 0u))
      << "never two frames in one turn, nor a frame the controller refuses";
  EXPECT_GE(std::min(c.Count().registerReads, c.Count().clockReads), 3u);
}

// New here is only the reopening of a real device; resuming is the link core's test.
TEST_F(LinkToSim, UploadResumesAfterTheDeviceWasPulled) {
  Link().PGM_Upload();
  ASSERT_TRUE(WaitUntil([&] { return shared.TransferAddress >= 0x0800; }, kTransferMs));
  std::string error;
  ASSERT_TRUE(m_sim->Replug(error)) << error;
  PointLink();
  ASSERT_TRUE(WaitUntil([&] { return !Link().PortOpen() || Link().Display().L_Comm_Status != "xxx"; }, 3000));
  const int pulledAt = shared.TransferAddress;
  int lowest = pulledAt;
  ASSERT_TRUE(WaitUntil(
      [&] {
        lowest = std::min(lowest, shared.TransferAddress);
        return shared.TransferAddress >= pulledAt + 0x0400;
      },
      kTransferMs));
  EXPECT_EQ(lowest, pulledAt) << "the upload goes on where it was";
  const int readTo = shared.TransferAddress;
  EXPECT_TRUE(std::equal(tables->image.begin(), tables->image.begin() + readTo, StopSim().Memory().begin()));
}

}  // namespace
}  // namespace e2e
