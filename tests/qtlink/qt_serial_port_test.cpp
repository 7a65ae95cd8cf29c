// The QSerialPort adapter and the link driver on a real pseudo-terminal. A device
// pulled during a transfer is the end-to-end tests' (tests/e2e).

#include <QLocale>

#include <algorithm>
#include <fstream>
#include <random>

#include "device_fixture.h"
#include "link/shared_tables.h"
#include "pty_pair.h"
#include "qtlink/line_error_counts.h"
#include "qtlink/link_driver.h"
#include "qtlink/port_access_hint.h"
#include "qtlink/port_list.h"
#include "qtlink/qt_clock.h"
#include "qtlink/qt_serial_port.h"

namespace {

// The controller's "your turn" frame: address 16.
constexpr const char* kPcTurn = ":10030000ED\r\n";
constexpr const char* kRegisterRead = ":010320000010CC\r\n";

using qttest::WaitUntil;

using QtSerialPortAdapter = qttest::DeviceTest;

class PtyLink : public qttest::DeviceTest {
 protected:
  void SetUp() override {
    pty = std::make_unique<qttest::PtyPair>(Path("ttyKX"));
    if (!pty->ok()) GTEST_SKIP() << "no pseudo-terminal on this machine";
    driver = std::make_unique<qtlink::LinkDriver>(clock, tables->ForLink(),
                                                  QString::fromStdString(pty->Link().string()));
  }
  void TearDown() override {
    driver.reset();
    pty.reset();
  }
  const bus::LinkDisplay& show() const { return driver->Link().Display(); }
  void GoOnline() {
    driver->Link().cmd_RUN();
    ASSERT_TRUE(WaitUntil([&] { return driver->Link().PortOpen(); }));
  }

  // Gives the PC one turn and returns what it sent back.
  std::string Turn() {
    pty->Send(kPcTurn);
    std::string got;
    WaitUntil(
        [&] {
          got += pty->Received();
          return got.find('\n') != std::string::npos;
        },
        1000);
    return got;
  }

  qtlink::QtClock clock{QLocale(QLocale::Turkish, QLocale::Turkey)};
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  std::unique_ptr<qttest::PtyPair> pty;
  std::unique_ptr<qtlink::LinkDriver> driver;
};

TEST_F(PtyLink, OpensTheNamedDeviceAnswersTheTurnAndOtherwiseWaits) {
  EXPECT_EQ(show().PortDevice, pty->Link().string()) << "the window shows the device used";
  int changes = 0;
  QObject::connect(driver.get(), &qtlink::LinkDriver::displayChanged, [&] { ++changes; });
  GoOnline();
  EXPECT_TRUE(show().PortOpen && driver->Port().IsOpen());
  ASSERT_TRUE(WaitUntil([&] { return changes > 0; }));
  const int before = changes;
  EXPECT_EQ(Turn(), kRegisterRead);
  EXPECT_TRUE(WaitUntil([&] { return changes > before; })) << "a received frame shows without a command";
  EXPECT_EQ(show().MB_TX_LBL, ":010320000010CC (17)");
  driver->Link().RTC_Esitle();
  WaitUntil([] { return false; }, 500);
  EXPECT_EQ(pty->Received(), "") << "without a turn the PC never speaks";
  EXPECT_TRUE(driver->Link().PortOpen());
  EXPECT_EQ(tables->shared.RequestCode, 100) << "the command waits for the controller";
  EXPECT_TRUE(Turn().starts_with(":10CF0103")) << "and goes at the first turn";
}

TEST_F(PtyLink, GarbageOnTheLineIsRefusedAndTheLinkGoesOn) {
  GoOnline();
  // What a wrong bit rate looks like: bytes of every value, high bit set or not.
  // In pieces the pty can hold, as a line at any rate would deliver them.
  std::mt19937 rng(12345);
  for (int piece = 0; piece < 80; ++piece) {
    std::string garbage(256, '\0');
    for (char& c : garbage) c = static_cast<char>(rng() >> 24);
    pty->Send(garbage);
    WaitUntil([] { return false; }, 2);
  }
  pty->Send("\n:0103AB\r\n");
  WaitUntil([&] { return driver->Link().Decoder().Counters().lines > 0; }, 1000);
  const auto& cpu = tables->regs.CpuCardRegs;
  EXPECT_TRUE(std::all_of(cpu.begin(), cpu.end(), [](int w) { return w == 0; }))
      << "nothing of the garbage reached the register image";
  EXPECT_EQ(Turn(), kRegisterRead) << "the next good turn is answered";
}

TEST_F(QtSerialPortAdapter, MissingDeviceFailsToOpenWithAMessage) {
  qtlink::QtSerialPort port(QStringLiteral("/nonexistent/ttyKX"));
  port.SetLineSettings("57600,O,7,1");
  const bus::PortResult r = port.Open();
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("/nonexistent/ttyKX"), std::string::npos) << r.message;
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.SetBaudRate(115200).ok);
  EXPECT_FALSE(port.Write(":00\r\n").ok);
}

TEST_F(QtSerialPortAdapter, PortNumbersCountDevicesByName) {
  const QStringList devices{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyUSB0"};
#if !defined(Q_OS_WIN)
  QStringList got;
  for (int n : {1, 3, 4, 0, -2}) got << qtlink::DeviceForNumber(n, devices);
  EXPECT_EQ(got, QStringList({"/dev/ttyS0", "/dev/ttyUSB0", "", "", ""}));
#endif
  // The listing and the number resolution agree on every port present.
  const QStringList present = qtlink::SerialDeviceList();
  for (const qtlink::PortEntry& e : qtlink::ListPorts()) {
    EXPECT_EQ(qtlink::DeviceForNumber(e.number, present), e.device);
  }
}

TEST_F(QtSerialPortAdapter, StableNameIsTheByIdLinkToTheDevice) {
  const std::filesystem::path dir = Path("");
  std::filesystem::create_directories(dir / "by-id");
  std::ofstream(dir / "ttyUSB7").put('x');
  std::ofstream(dir / "ttyUSB8").put('x');
  std::filesystem::create_symlink("../ttyUSB7", dir / "by-id" / "usb-FTDI_FT232R_A1-if00-port0");
  const QString byId = QString::fromStdString((dir / "by-id").string());
  EXPECT_EQ(qtlink::StableNameFor(QString::fromStdString((dir / "ttyUSB7").string()), byId),
            byId + "/usb-FTDI_FT232R_A1-if00-port0");
  EXPECT_EQ(qtlink::StableNameFor(QString::fromStdString((dir / "ttyUSB8").string()), byId), "");
  EXPECT_EQ(qtlink::StableNameFor(QString::fromStdString((dir / "gone").string()), byId), "");
}

TEST_F(QtSerialPortAdapter, PermissionHintNamesTheGroupToJoin) {
  EXPECT_EQ(qtlink::GroupHint("uucp"),
            ": the user must be in the 'uucp' group (sudo usermod -aG uucp $USER, then log in again)");
  EXPECT_TRUE(qtlink::GroupHint("").contains("'dialout'"));
  EXPECT_EQ(qtlink::OpenFailureHint("/dev/ttyUSB0", QSerialPort::DeviceNotFoundError), "");
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
  const std::int64_t a = clock.MonotonicMs();
  EXPECT_GE(clock.MonotonicMs(), a);
}

}  // namespace
