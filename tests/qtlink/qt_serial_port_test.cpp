// The QSerialPort adapter and the link driver on a real pseudo-terminal. A device
// pulled during a transfer is the end-to-end tests' (tests/e2e).

#include <QLocale>

#include <fstream>

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
  if (!pty.ok()) GTEST_SKIP() << "no pseudo-terminal on this machine";
  qtlink::QtClock clock(QLocale(QLocale::Turkish, QLocale::Turkey));
  auto tables = std::make_unique<bus::SharedTables>();
  qtlink::LinkDriver driver(clock, tables->ForLink(), QString::fromStdString(pty.Link().string()));
  const auto turn = [&] {  // the PC's turn, and what it sent back
    pty.Send(":10030000ED\r\n");
    std::string got;
    WaitUntil([&] { return (got += pty.Received()).find('\n') != std::string::npos; }, 1000);
    return got;
  };
  EXPECT_EQ(driver.Link().Display().PortDevice, pty.Link().string()) << "the window shows the device used";
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

TEST_F(QtSerialPortAdapter, MissingDeviceFailsToOpenWithAMessage) {
  qtlink::QtSerialPort port(QStringLiteral("/nonexistent/ttyKX"));
  const bus::PortResult r = port.Open();
  EXPECT_NE(r.message.find("/nonexistent/ttyKX"), std::string::npos) << r.message;
  EXPECT_FALSE(r.ok || port.IsOpen() || port.SetBaudRate(115200).ok || port.Write(":00\r\n").ok);
}

// Numbers count devices by name, the listing agrees with them, and a stable name is the
// by-id link to the device.
TEST_F(QtSerialPortAdapter, PortNumbersAndStableNamesFindTheDevice) {
#if !defined(Q_OS_WIN)
  QStringList got;
  for (int n : {1, 3, 4, 0, -2})
    got << qtlink::DeviceForNumber(n, {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyUSB0"});
  EXPECT_EQ(got, QStringList({"/dev/ttyS0", "/dev/ttyUSB0", "", "", ""}));
#endif
  const QStringList present = qtlink::SerialDeviceList();
  for (const qtlink::PortEntry& e : qtlink::ListPorts())
    EXPECT_EQ(qtlink::DeviceForNumber(e.number, present), e.device);

  const std::filesystem::path dir = Path("");
  std::filesystem::create_directories(dir / "by-id");
  std::ofstream(dir / "ttyUSB7").put('x');
  std::ofstream(dir / "ttyUSB8").put('x');
  std::filesystem::create_symlink("../ttyUSB7", dir / "by-id" / "usb-FTDI_FT232R_A1-if00-port0");
  const QString byId = QString::fromStdString((dir / "by-id").string());
  got.clear();
  for (const char* device : {"ttyUSB7", "ttyUSB8", "gone"})
    got << qtlink::StableNameFor(QString::fromStdString((dir / device).string()), byId);
  EXPECT_EQ(got, QStringList({byId + "/usb-FTDI_FT232R_A1-if00-port0", "", ""}));
}

TEST(LineErrors, CountersThatGrewBecomeEventCodes) {
  const qtlink::LineErrorCounts before{1, 2, 3, 4, 5};
  EXPECT_TRUE(qtlink::LineErrorEvents(before, before).empty());
  EXPECT_EQ(qtlink::LineErrorEvents(before, {2, 3, 4, 5, 6}),
            (std::vector<int>{1001, 1004, 1006, 1008, 1009}));
  EXPECT_EQ(qtlink::LineErrorEvents(before, {1, 9, 0, 4, 5}), (std::vector<int>{1004}))
      << "a counter that went down belongs to another opening";
}

TEST(QtClockTest, TurkishNamesAndSecondsShown) {
  const qtlink::QtClock clock(QLocale(QLocale::Turkish, QLocale::Turkey));
  EXPECT_EQ(std::vector<std::string>({clock.WeekdayName(1), clock.WeekdayName(7), clock.WeekdayName(0)}),
            std::vector<std::string>({"Pazartesi", "Pazar", ""}));
  EXPECT_EQ(clock.FormatDateTime({2026, 12, 6, 9, 5, 7, 7}), "6.12.2026 09:05:07");
}

}  // namespace
