// The QSerialPort adapter and the link driver on a real pseudo-terminal. A device
// pulled during a transfer is the end-to-end tests' (tests/e2e).

#include <QLocale>

#include "device_fixture.h"
#include "link/shared_tables.h"
#include "pty_pair.h"
#include "qtlink/line_error_counts.h"
#include "qtlink/link_driver.h"
#include "qtlink/port_list.h"
#include "qtlink/qt_clock.h"
#include "qtlink/qt_serial_port.h"

namespace {

using qttest::WaitUntil;
using QtSerialPortAdapter = qttest::DeviceTest;

TEST_F(QtSerialPortAdapter, TheDriverOpensTheNamedDeviceAnswersTheTurnAndOtherwiseWaits) {
  const qttest::PtyPair pty(Path("ttyKX"));
  if (pty.master < 0) GTEST_SKIP() << "no pseudo-terminal on this machine";
  qtlink::QtClock clock(QLocale(QLocale::Turkish, QLocale::Turkey));
  auto tables = std::make_unique<bus::SharedTables>();
  qtlink::LinkDriver driver(clock, tables->ForLink(), QString::fromStdString(pty.link.string()));
  const auto turn = [&] {  // the PC's turn, and what it sent back
    pty.Send(":10030000ED\r\n");
    std::string got;
    WaitUntil([&] { return (got += pty.Received()).find('\n') != std::string::npos; }, 1000);
    return got;
  };
  EXPECT_EQ(driver.Link().Display().PortDevice, pty.link.string()) << "the window shows the device used";
  int changes = 0;
  QObject::connect(&driver, &qtlink::LinkDriver::displayChanged, [&] { ++changes; });
  driver.Link().cmd_RUN();
  ASSERT_TRUE(WaitUntil([&] { return driver.Link().PortOpen() && changes > 0; }));
  const int before = changes;
  EXPECT_EQ(turn(), ":010320000010CC\r\n");
  EXPECT_TRUE(WaitUntil([&] { return changes > before; })) << "a received frame shows without a command";
  driver.Link().RTC_Esitle();
  WaitUntil([] { return false; }, 500);
  EXPECT_EQ(pty.Received(), "") << "without a turn the PC never speaks";
  EXPECT_TRUE(turn().starts_with(":10CF0103")) << "and the command goes at the first turn";
}

TEST_F(QtSerialPortAdapter, MissingDeviceFailsToOpenAndTakesNoWork) {
  qtlink::QtSerialPort port(QStringLiteral("/nonexistent/ttyKX"));
  EXPECT_FALSE(port.Open().ok || port.IsOpen() || port.SetBaudRate(115200).ok || port.Write(":00\r\n").ok);
}

// The listing and the port numbers agree (how numbers count: CtlOptions.PortArgument...).
TEST_F(QtSerialPortAdapter, PortNumbersCountDevicesByName) {
  const QStringList present = qtlink::SerialDeviceList();
  for (const qtlink::PortEntry& e : qtlink::ListPorts())
    EXPECT_EQ(qtlink::DeviceForNumber(e.number, present), e.device);
}

TEST(LineErrors, CountersThatGrewBecomeEventCodes) {
  const qtlink::LineErrorCounts before{1, 2, 3, 4, 5};
  EXPECT_TRUE(qtlink::LineErrorEvents(before, before).empty());
  EXPECT_EQ(qtlink::LineErrorEvents(before, {2, 3, 4, 5, 6}),
            (std::vector<int>{1001, 1004, 1006, 1008, 1009}));
  EXPECT_EQ(qtlink::LineErrorEvents(before, {1, 9, 0, 4, 5}), (std::vector<int>{1004}))
      << "a counter that went down belongs to another opening";
}

}  // namespace
