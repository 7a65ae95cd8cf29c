#pragma once
// The real link (QSerialPort adapter, 10 ms driver, link core) against the simulated
// controller, reached through a symlink the test can re-point.

#include <QLocale>

#include <chrono>
#include <thread>

#include "link/shared_tables.h"
#include "qtlink/link_driver.h"
#include "qtlink/qt_clock.h"
#include "tests/link/event_recorder.h"
#include "tests/qtlink/device_fixture.h"

namespace e2e {

using qttest::WaitUntil;

class LinkToSim : public qttest::DeviceTest {
 protected:
  // The bus has been running a while when the link is switched on, as in the field.
  void SetUp() override {
    ASSERT_TRUE(StartSim());
    PointLink();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    driver =
        std::make_unique<qtlink::LinkDriver>(clock, tables->ForLink(), QString::fromStdString(Path("ttyKX")));
    driver->Link().cmd_RUN();
    ASSERT_TRUE(WaitUntil([&] { return driver->Link().PortOpen(); }, 3000));
  }
  void PointLink() {
    std::filesystem::remove(Path("ttyKX"));
    std::filesystem::create_symlink(Device(), Path("ttyKX"));
  }
  bus::ControllerLink& Link() { return driver->Link(); }
  // A few more turns, so that fire-and-forget commands have left.
  void Turns(int n) {
    const std::uint64_t until = Link().FramesSent() + static_cast<std::uint64_t>(n);
    WaitUntil([&] { return Link().FramesSent() >= until; }, 5000);
  }

  qtlink::QtClock clock{QLocale(QLocale::Turkish, QLocale::Turkey)};
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  const bus::RegisterImage& regs = tables->regs;
  bus::LinkShared& shared = tables->shared;
  kxtest::EventRecorder heard{tables->events};
  std::unique_ptr<qtlink::LinkDriver> driver;
};

}  // namespace e2e
