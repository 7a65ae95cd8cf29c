#include "link_fixture.h"

using namespace kxtest;

using ControllerLink = LinkFixture;

// The link button's texts, the port spinner, the status beside a green LED and the end
// of a running transfer are the comm window's tests; input from before the opening is
// left alone by tests/e2e RunningBus.
TEST_F(ControllerLink, LinkButtonOpensAtTheWorkingRateAndARateFailureKeepsThePort) {
  GoOnline();  // that nothing opens while the link is off: MissingPortRetriedCheaply
  EXPECT_EQ(std::make_pair(port.lineSettings.back(), port.rate),
            std::make_pair(std::string("57600,O,7,1"), 115200));
  ctl->cmd_RUN();
  ctl->Timer1Tick();
  EXPECT_FALSE(port.IsOpen() || show().PortOpen);

  port.failBaudRate = true;
  ctl->cmd_RUN();
  ctl->Timer1Tick();
  EXPECT_TRUE(port.IsOpen()) << "a rate failure keeps the port open";
  EXPECT_EQ(show().L_Comm_Status, "Could not set port to specified baud rate");
  ctl->Timer1Tick();
  EXPECT_EQ(port.openAttempts, 2) << "an open port is not opened again";
}

TEST_F(ControllerLink, MissingPortRetriedCheaply) {
  port.present = false;
  ctl->SetPortNumber(3);
  ctl->cmd_RUN();
  const int selects = port.selects;
  for (int i = 0; i < 150; ++i, clock.ms += 10) ctl->Timer1Tick();
  // The open is tried at every tick, the device list read about once a second.
  EXPECT_EQ(std::make_pair(port.openAttempts, port.selects), std::make_pair(150, selects + 1));
  port.present = true;
  ctl->Timer1Tick();
  EXPECT_TRUE(port.IsOpen()) << "the port comes up as soon as it is there";
  ctl->cmd_RUN();
  ctl->Timer1Tick();
  ctl->Timer1Tick();
  EXPECT_EQ(port.openAttempts, 151) << "no retry once the link is off";
}

// That the transfer resumes once the device is back: tests/e2e UploadResumesAfterTheDeviceWasPulled.
TEST_F(ControllerLink, DeviceLossClosesOnceWhateverTheStormOfSignals) {
  GoOnline();
  port.present = false;  // the device goes away
  for (int i = 0; i < 1000; ++i) port.Fault(bus::PortFault::DeviceLost, "Input/output error");
  EXPECT_FALSE(port.IsOpen() || show().PortOpen);
  EXPECT_EQ(port.closes, 1) << "closed once, whatever the storm of signals";
  EXPECT_EQ(show().L_Comm_Status, "Input/output error");
}

TEST_F(ControllerLink, FrameOfALostPortIsDroppedAndACommandSentOnceIsBuiltAgain) {
  GoOnline();
  Turn();
  ASSERT_TRUE(ctl->Service_cmd(2));
  clock.ms += 5;
  port.Receive(PcTurnFrame());  // built inside the gap
  port.present = false;         // the device goes away
  port.Fault(bus::PortFault::DeviceLost, "Input/output error");
  for (int i = 0; i < 5; ++i) {
    clock.ms += 10;
    ctl->Timer1Tick();
  }
  EXPECT_EQ(show().L_Comm_Status, "Seri port bulunamadı: 1") << "the real reason, not a send error per tick";
  port.present = true;
  ctl->Timer1Tick();
  ctl->Timer1Tick();
  EXPECT_EQ(port.written.size(), 1u) << "nothing goes out outside a turn";
  EXPECT_EQ(Turn(), ":10CF016303EB0000CF\r\n") << "the command waited for a turn of the new opening";
  EXPECT_EQ(heard.Of({"sent"}), (std::vector<std::string>{"sent 1003"}));
}

TEST_F(ControllerLink, WriteErrorKeepsTheFrame) {
  GoOnline();
  port.failWrite = true;
  clock.ms += 50;
  port.Receive(PcTurnFrame());
  EXPECT_EQ(show().L_Comm_Status, "Write error");
  port.failWrite = false;
  ctl->Timer1Tick();
  ASSERT_EQ(port.written.size(), 1u);
  EXPECT_EQ(show().MB_TX_LBL, ":010320000010CC (17)");  // frames counted as sent: controller_link fuzz
}

TEST_F(ControllerLink, StatusLineTellsLineEventsAndASilentBus) {
  port.LineEvent(1005);
  EXPECT_EQ(show().L_Comm_Status, "Unknown error or event");
  const auto v = show().version;
  port.LineEvent(1005);
  EXPECT_EQ(show().version, v) << "an unchanged display does not ask for a redraw";

  GoOnline();
  clock.ms += bus::ControllerLink::kSilenceMs - 1;
  ctl->Timer1Tick();
  EXPECT_EQ(show().L_Comm_Status, "Port açık: /dev/fake1");
  clock.ms += 1;
  ctl->Timer1Tick();
  EXPECT_EQ(show().L_Comm_Status, bus::ControllerLink::kSilenceText);
  Turn();
  EXPECT_EQ(show().L_Comm_Status, "Port açık: /dev/fake1") << "cleared at the next turn";

  port.Fault(bus::PortFault::Note, "Kayıt sonu: 9 satır");
  clock.ms += bus::ControllerLink::kSilenceMs;
  ctl->Timer1Tick();
  EXPECT_EQ(show().L_Comm_Status, "Kayıt sonu: 9 satır") << "a note explains the silence better";
}
