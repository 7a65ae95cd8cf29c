// Commands the controller never acknowledges count as done only once their frame has
// left the port; a PC turn that comes before the send gap has run out replaces the
// frame, and the watch has to notice.

#include <gtest/gtest.h>

#include "ctl/once_sent_watch.h"
#include "link/controller_link.h"
#include "program/editor_model.h"
#include "tests/link/fakes.h"

namespace {

using State = ctl::OnceSentWatch::State;

class OnceSentWatchTest : public ::testing::Test {
 protected:
  OnceSentWatchTest() {
    flags.CardsViewOpen = true;
    flags.TablesReady = true;
    link.Tazele = [this] { watch.BeforeTurn(link, shared.RequestCode); };
    link.cmd_RUN();
    link.Timer1Tick();  // opens the port
  }
  void Turn() {
    port.Receive(kxtest::PcTurnFrame());
    watch.AfterEvent(link);
  }
  void TickAt(std::int64_t ms) {
    clock.ms = ms;
    link.Timer1Tick();
    watch.AfterEvent(link);
  }
  std::size_t WrittenWith(const std::string& part) const {
    return static_cast<std::size_t>(std::count_if(port.written.begin(), port.written.end(),
                                                  [&](const std::string& w) { return w.find(part) != std::string::npos; }));
  }

  kxtest::FakeClock clock;
  kxtest::FakePort port;
  bus::RegisterImage regs;
  bus::LinkShared shared;
  bus::ViewFlags flags;
  std::unique_ptr<program::ProgramImage> image = std::make_unique<program::ProgramImage>();
  std::unique_ptr<program::EditorModel> model = std::make_unique<program::EditorModel>();
  bus::ControllerLink link{port, clock, {regs, shared, flags, *image, *model}};
  ctl::OnceSentWatch watch{1003};
};

TEST_F(OnceSentWatchTest, SentAtTheTurnThatBuiltIt) {
  link.Service_cmd(0);  // 1001 is not the watched code
  Turn();
  EXPECT_EQ(watch.state(), State::Waiting);
  clock.ms = 1020;
  link.Service_cmd(2);
  Turn();
  EXPECT_EQ(watch.state(), State::Sent);
  EXPECT_EQ(WrittenWith("03EB0000"), 1u);  // 1003 on the wire
  Turn();  // later turns change nothing
  EXPECT_EQ(watch.state(), State::Sent);
}

TEST_F(OnceSentWatchTest, SentByALaterTickOnceTheGapHasRunOut) {
  Turn();  // the poll's register read goes out at 1000 ms
  link.Service_cmd(2);
  clock.ms = 1005;
  Turn();  // builds 1003, which must wait for the gap
  EXPECT_EQ(watch.state(), State::Built);
  TickAt(1015);
  EXPECT_EQ(watch.state(), State::Built);
  TickAt(1020);
  EXPECT_EQ(watch.state(), State::Sent);
  EXPECT_EQ(WrittenWith("03EB0000"), 1u);
}

TEST_F(OnceSentWatchTest, OvertakenWhenTheNextTurnComesInsideTheGap) {
  Turn();
  link.Service_cmd(2);
  clock.ms = 1005;
  Turn();
  clock.ms = 1010;
  Turn();  // the poll frame of this turn replaces the unsent command
  EXPECT_EQ(watch.state(), State::Overtaken);
  TickAt(1030);
  EXPECT_EQ(watch.state(), State::Overtaken);
  EXPECT_EQ(WrittenWith("03EB0000"), 0u);
}

}  // namespace
