#pragma once
// The real link (QSerialPort adapter, 10 ms driver, link core) against the simulated
// controller on a pseudo-terminal, reached through a symlink the test can re-point.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>

#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <thread>

#include "link/event_log.h"
#include "link/shared_tables.h"
#include "program/program_image.h"
#include "qtlink/link_driver.h"
#include "qtlink/qt_clock.h"
#include "sim/demo_memory.h"
#include "sim/host/background_sim.h"
#include "sim/host/serve_loop.h"
#include "tests/link/event_recorder.h"
#include "tests/qtlink/qt_wait.h"

namespace e2e {

using qttest::WaitUntil;

// A bus faster than a real one, with room left for the PC's 20 ms send gap and for a
// busy test machine: a late frame is lost as it would be on the road.
inline sim::Options FastBus() {
  sim::Options o;
  o.periodMs = 40;
  o.windowMs = 30;
  o.replyDelayMs = 2;
  return o;
}

class LinkToSim : public ::testing::Test {
 protected:
  void SetUp() override { Begin(FastBus()); }

  // runningMs: how long the bus has been running when the link is switched on.
  void Begin(const sim::Options& options, int runningMs = 0) {
    dir = std::filesystem::temp_directory_path() /
          ("kx-e2e-" + std::to_string(getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    link = dir / "ttyKX";
    simMemory = std::make_unique<program::ProgramImage>(sim::DemoMemory());
    std::string error;
    simulator = sim::host::BackgroundSim::Start(options, *simMemory, error);
    if (!simulator) GTEST_SKIP() << "no pseudo-terminal: " << error;
    PointLink();
    if (runningMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(runningMs));
    driver = std::make_unique<qtlink::LinkDriver>(clock, tables->ForLink(), QString::fromStdString(link.string()));
    driver->Link().cmd_RUN();
    ASSERT_TRUE(WaitUntil([&] { return driver->Link().PortOpen(); }, 3000));
  }
  void TearDown() override {
    driver.reset();
    simulator.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }

  void PointLink() {
    std::error_code ec;
    std::filesystem::remove(link, ec);
    std::filesystem::create_symlink(simulator->DevicePath(), link);
  }
  bus::ControllerLink& Link() { return driver->Link(); }
  // Waits for the command under way to finish: RequestCode back at the idle poll.
  bool Idle(int ms) {
    return WaitUntil([&] { return shared.RequestCode == 0; }, ms);
  }
  // A few more turns, so that fire-and-forget commands have left.
  void Turns(int n) {
    const std::uint64_t start = driver->Link().FramesSent();
    WaitUntil([&] { return driver->Link().FramesSent() >= start + static_cast<std::uint64_t>(n); }, 5000);
  }
  const sim::Controller& StopSim() {
    simulator->Stop();
    return simulator->StoppedController();
  }

  int argc = 1;
  char arg0[8] = "e2e";
  char* argv[1] = {arg0};
  QCoreApplication app{argc, argv};
  qtlink::QtClock clock{QLocale(QLocale::Turkish, QLocale::Turkey)};
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  bus::RegisterImage& regs = tables->regs;
  bus::LinkShared& shared = tables->shared;
  program::ProgramImage& image = tables->image;
  kxtest::EventRecorder heard{tables->events};
  std::unique_ptr<program::ProgramImage> simMemory;
  std::filesystem::path dir;
  std::filesystem::path link;
  std::unique_ptr<sim::host::BackgroundSim> simulator;
  std::unique_ptr<qtlink::LinkDriver> driver;
};

inline void FillRandom(program::ProgramImage& image, std::size_t end, unsigned seed) {
  std::mt19937 rng(seed);
  for (std::size_t a = 0; a < end; ++a) image[a] = static_cast<std::uint8_t>(rng());
}

}  // namespace e2e
