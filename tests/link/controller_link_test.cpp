#include <gtest/gtest.h>

#include "link_fixture.h"

using namespace kxtest;

using ControllerLink = LinkFixture;

TEST_F(ControllerLink, LinkButtonAndOpening) {
  EXPECT_EQ(show().cmd_RUN, "ONLINE");
  EXPECT_EQ(show().L_Comm_Status, "xxx");
  ctl->Timer1Tick();
  EXPECT_FALSE(port.IsOpen()) << "nothing opens while the link is off";

  shared.RequestCode = 300;
  shared.LogReading = true;
  ctl->cmd_RUN();
  EXPECT_EQ(shared.RequestCode, 0) << "the link button abandons a transfer";
  EXPECT_FALSE(shared.LogReading) << "and a log read with it";
  EXPECT_EQ(show().cmd_RUN, "OFFLINE");
  EXPECT_FALSE(show().UpDown1Enabled);
  port.pending = "stale bytes\r\n";
  ctl->Timer1Tick();
  ASSERT_TRUE(port.IsOpen());
  EXPECT_EQ(port.lineSettings.back(), "57600,O,7,1");
  EXPECT_EQ(port.rate_, 115200) << "the working rate is set on the open device";
  EXPECT_TRUE(port.pending.empty()) << "input from before the opening is dropped";
  EXPECT_EQ(ctl->Decoder().Counters().lines, 0u);
  EXPECT_TRUE(show().PortOpen);

  ctl->cmd_RUN();
  EXPECT_EQ(show().L_Comm_Status, "STATUS");
  EXPECT_TRUE(show().UpDown1Enabled);
  ctl->Timer1Tick();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(show().PortOpen);
}

TEST_F(ControllerLink, MissingPortRetriedEveryTick) {
  port.present = false;
  ctl->SetPortNumber(3);
  EXPECT_EQ(show().Label1, "3");
  ctl->cmd_RUN();
  for (int i = 0; i < 5; ++i) ctl->Timer1Tick();
  EXPECT_EQ(port.openAttempts, 5);
  EXPECT_EQ(show().L_Comm_Status, "Seri port bulunamadı: 3");
  EXPECT_FALSE(show().PortOpen);
  port.present = true;
  ctl->Timer1Tick();
  EXPECT_TRUE(port.IsOpen()) << "the port comes up as soon as it is there";
  ctl->cmd_RUN();
  ctl->Timer1Tick();
  const int attempts = port.openAttempts;
  ctl->Timer1Tick();
  EXPECT_EQ(port.openAttempts, attempts) << "no retry once the link is off";
}

TEST_F(ControllerLink, RateFailureKeepsThePortOpen) {
  port.failBaudRate = true;
  ctl->cmd_RUN();
  ctl->Timer1Tick();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(show().L_Comm_Status, "Could not set port to specified baud rate");
  ctl->Timer1Tick();
  EXPECT_EQ(port.openAttempts, 1) << "an open port is not opened again";
}

TEST_F(ControllerLink, DeviceLossClosesAndResumesTheTransfer) {
  GoOnline();
  ASSERT_TRUE(ctl->PGM_Upload());
  Turn();
  ASSERT_TRUE(port.written.back().starts_with(":10CF000400000080"));
  shared.TransferAddress = 0x0400;  // part of the upload is done

  port.Unplug();
  for (int i = 0; i < 1000; ++i) port.Fault(bus::PortFault::DeviceLost, "Input/output error");
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.closes, 1) << "closed once, whatever the storm of signals";
  EXPECT_EQ(show().L_Comm_Status, "Input/output error");
  EXPECT_FALSE(show().PortOpen);

  ctl->Timer1Tick();
  ctl->Timer1Tick();
  EXPECT_FALSE(port.IsOpen());
  port.present = true;  // the adapter is plugged back
  ctl->Timer1Tick();
  ASSERT_TRUE(port.IsOpen());
  EXPECT_EQ(shared.RequestCode, 300) << "the transfer was not abandoned";
  EXPECT_TRUE(Turn().starts_with(":10CF000404000080")) << "and goes on where it was";
}

TEST_F(ControllerLink, FrameReadyWhileClosedWaitsForTheLink) {
  GoOnline();
  port.Receive(PcTurnFrame());
  clock.ms += 5;
  port.Receive(PcTurnFrame());  // clock read built inside the gap
  ctl->cmd_RUN();
  clock.ms += 50;
  ctl->Timer1Tick();  // closes
  ctl->Timer1Tick();  // tries to send on the closed port
  EXPECT_EQ(show().L_Comm_Status, "Operation valid only when the port is open");
  const auto sent = port.written.size();
  ctl->cmd_RUN();
  ctl->Timer1Tick();
  ASSERT_EQ(port.written.size(), sent + 1);
  EXPECT_EQ(port.written.back(), ":10CF00031E\r\n");
}

TEST_F(ControllerLink, WriteErrorKeepsTheFrame) {
  GoOnline();
  port.failWrite = true;
  clock.ms += 50;
  port.Receive(PcTurnFrame());
  EXPECT_EQ(show().L_Comm_Status, "Write error");
  EXPECT_EQ(show().MB_TX_LBL, ":010320000010CC (17)");
  port.failWrite = false;
  ctl->Timer1Tick();
  ASSERT_EQ(port.written.size(), 1u);
  EXPECT_EQ(ctl->FramesSent(), 1u);
}

TEST_F(ControllerLink, LineEventsAndDisplayVersion) {
  ctl->OnCommEvent(1004);
  EXPECT_EQ(show().L_Comm_Status, "Framing Error");
  ctl->OnCommEvent(1005);
  EXPECT_EQ(show().L_Comm_Status, "Unknown error or event");
  const auto v = show().version;
  ctl->OnCommEvent(1005);
  EXPECT_EQ(show().version, v) << "an unchanged display does not ask for a redraw";
}

TEST_F(ControllerLink, TazeleOnlyWhenCardsWindowIsOpen) {
  int refreshes = 0;
  ctl->Tazele = [&] { ++refreshes; };
  GoOnline();
  Turn();
  flags.CardsViewOpen = true;
  Turn();
  flags.TablesReady = true;
  Turn();
  Turn();
  EXPECT_EQ(refreshes, 2);
}
