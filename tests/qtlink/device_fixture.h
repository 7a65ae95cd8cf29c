#pragma once
// What the tests over a real serial device share: one Qt event loop, a scratch folder
// per test, and the simulated controller serving a pseudo-terminal.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "program/program_image.h"
#include "sim/demo_memory.h"
#include "sim/host/background_sim.h"
#include "sim/options.h"

namespace qttest {

// Runs the event loop until a condition holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& done, int ms = 3000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// Transfers in seconds, not a minute. Not faster: a send may wait the 20 ms gap plus a
// 10 ms tick, and on a busy machine answers would miss the controller's window.
inline sim::Options FastBus() { return {.periodMs = 40, .windowMs = 30, .replyDelayMs = 2}; }

class DeviceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);  // lives until the process ends
  }

  DeviceTest() { std::filesystem::create_directories(m_dir); }
  ~DeviceTest() override {
    m_sim.reset();  // before its folder goes
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
  }

  std::string Path(const std::string& name) const { return (m_dir / name).string(); }

  bool StartSim(const sim::Options& options = FastBus(),
                const program::ProgramImage& memory = sim::DemoMemory()) {
    std::string why;
    m_sim = sim::host::BackgroundSim::Start(options, memory, why);
    if (!m_sim) ADD_FAILURE() << "no simulated controller: " << why;
    return m_sim != nullptr;
  }
  std::string Device() const { return m_sim->DevicePath(); }
  const sim::Controller& StopSim() {
    m_sim->Stop();
    return m_sim->StoppedController();
  }

  std::unique_ptr<sim::host::BackgroundSim> m_sim;

 private:
  std::filesystem::path m_dir =
      std::filesystem::temp_directory_path() /
      ("kx-dev-" + std::to_string(std::random_device{}()) + "-" + std::to_string(std::random_device{}()));
};

}  // namespace qttest
