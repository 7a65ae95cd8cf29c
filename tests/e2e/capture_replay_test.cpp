// A capture taken from the simulated controller, played back through the replay
// port, rebuilds the same register image at every PC turn.

#include <vector>

#include "e2e_fixture.h"
#include "link/bus_recorder.h"
#include "link/text_sink.h"
#include "qtlink/replay_port.h"

namespace e2e {
namespace {

bool Same(const bus::RegisterImage& a, const bus::RegisterImage& b) {
  return a.CpuCardRegs == b.CpuCardRegs && a.GpsRegs == b.GpsRegs && a.DetectorRegs == b.DetectorRegs &&
         a.TriacCardRegs == b.TriacCardRegs && a.CpuClockText == b.CpuClockText;
}

// The register image as it stood at each PC turn.
struct TurnImages {
  TurnImages(bus::LinkEvents& events, const bus::RegisterImage& regs)
      : listening(events.Listen([this, &regs](const bus::LinkEvent& e) {
          if (std::holds_alternative<bus::PcTurn>(e)) images.push_back(regs);
        })) {}
  std::vector<bus::RegisterImage> images;
  bus::LinkEvents::Subscription listening;
};

class CaptureReplay : public LinkToSim {
 protected:
  // Listening before the link opens, as the program does.
  void SetUp() override {
    auto sink = std::make_unique<bus::FileTextSink>();
    std::string error;
    ASSERT_TRUE(sink->Open(capturePath, false, error)) << error;
    ASSERT_TRUE(recorder.StartCapture(std::move(sink), {}, error)) << error;
    LinkToSim::SetUp();
  }
  const std::string capturePath = Path("live.kxcap");
  bus::BusRecorder recorder{tables->events, nullptr, [this] { return clock.MonotonicMs() * 1000; }};
  TurnImages live{tables->events, tables->regs};
};

TEST_F(CaptureReplay, ReplayRebuildsTheRegisterImageOfEveryTurn) {
  Turns(25);
  live.listening.Cancel();
  ASSERT_EQ(recorder.StopCapture(), "");
  driver.reset();
  ASSERT_GE(live.images.size(), 25u);
  ASSERT_FALSE(Same(live.images.front(), live.images.back())) << "the turns saw the image fill";

  auto replayed = std::make_unique<bus::SharedTables>();
  TurnImages played(replayed->events, replayed->regs);
  auto port = std::make_unique<qtlink::ReplayPort>(QString::fromStdString(capturePath), 0.0);
  qtlink::ReplayPort& replay = *port;
  std::vector<std::string> recordedSent;
  replay.recordedSent = [&](std::string_view frame) { recordedSent.emplace_back(frame); };
  qtlink::LinkDriver player(std::move(port), clock, replayed->ForLink());
  player.Link().cmd_RUN();
  ASSERT_TRUE(WaitUntil([&] { return replay.Finished(); }, 10000))
      << replay.IsOpen() << " " << replay.PlayedMicros() << " " << player.Link().Display().L_Comm_Status;

  ASSERT_EQ(played.images.size(), live.images.size());
  for (std::size_t turn = 0; turn < live.images.size(); ++turn) {
    ASSERT_TRUE(Same(played.images[turn], live.images[turn])) << "turn " << turn;
  }
  EXPECT_GE(recordedSent.size(), 20u) << "the PC's frames of the file";
  EXPECT_EQ(player.Link().Display().L_Comm_Status.rfind("Kayıt sonu: ", 0), 0u)
      << player.Link().Display().L_Comm_Status;
}

using ReplayOpen = qttest::DeviceTest;  // no controller needed

TEST_F(ReplayOpen, AFileThatIsNotACaptureDoesNotOpen) {
  EXPECT_FALSE(qtlink::ReplayPort(QString::fromStdString(Path("none.kxcap")), 1.0).Open().ok);
  std::ofstream(Path("junk.kxcap")) << "not a capture\r\n";
  const bus::PortResult opened = qtlink::ReplayPort(QString::fromStdString(Path("junk.kxcap")), 1.0).Open();
  EXPECT_TRUE(!opened.ok && opened.message.find("satır 1") != std::string::npos) << opened.message;
}

}  // namespace
}  // namespace e2e
