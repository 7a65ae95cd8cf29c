#pragma once
// Runs the client in-process against a simulated controller on a pseudo-terminal,
// with its output captured, and gives each test a folder of its own.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ctl/ctl_options.h"
#include "ctl/ctl_session.h"
#include "program/program_image.h"
#include "sim/demo_memory.h"
#include "sim/host/background_sim.h"
#include "sim/options.h"

namespace ctltest {

inline void EnsureCoreApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "tests_ctl";
  static char* argv[] = {name, nullptr};
  // Owned by Qt until the process ends.
  new QCoreApplication(argc, argv);
}

struct CtlRun {
  int status = -1;
  std::string out;
  std::string err;
  std::int64_t ms = 0;
};

// A bus faster than a real one, so that the 353 and 512 block transfers take seconds
// rather than a minute. Not faster still: a send may wait up to the 20 ms gap plus
// one 10 ms engine tick, and with less than 30 ms between turns the lateness adds up
// from turn to turn until answers miss the controller's window.
inline sim::Options FastBus() {
  sim::Options o;
  o.periodMs = 30;
  o.windowMs = 28;
  o.replyDelayMs = 2;
  return o;
}

class CtlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureCoreApplication(); }

  CtlTest() {
    std::random_device rd;
    m_dir = std::filesystem::temp_directory_path() /
            ("kx-ctl-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(m_dir);
  }
  ~CtlTest() override {
    m_sim.reset();
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
  }

  std::string Path(const std::string& name) const { return (m_dir / name).string(); }

  // Starts the simulated controller; the test is skipped where no pty can be made.
  bool StartSim(const sim::Options& options = FastBus(),
                const program::ProgramImage& memory = sim::DemoMemory()) {
    std::string why;
    m_sim = sim::host::BackgroundSim::Start(options, memory, why);
    if (!m_sim) {
      ADD_FAILURE() << "no simulated controller: " << why;
      return false;
    }
    return true;
  }
  std::string Device() const { return m_sim->DevicePath(); }
  const sim::Controller& StoppedSim() {
    m_sim->Stop();
    return m_sim->StoppedController();
  }

  // kx7140ctl with these arguments after the program name.
  CtlRun Run(const std::vector<std::string>& args, bool progress = false,
             std::function<bool()> interrupted = {}) {
    CtlRun run;
    ctl::CtlOptions options;
    std::string error;
    if (!ctl::ParseCtlOptions(args, options, error)) {
      ADD_FAILURE() << "arguments refused: " << error;
      return run;
    }
    std::ostringstream out;
    std::ostringstream err;
    QElapsedTimer t;
    t.start();
    run.status = ctl::RunCommand(options, {out, err, progress, std::move(interrupted)});
    run.ms = t.elapsed();
    run.out = out.str();
    run.err = err.str();
    return run;
  }
  // The same on the simulator's device.
  CtlRun OnSim(std::vector<std::string> args, bool progress = false) {
    args.insert(args.begin(), {"--port", Device()});
    return Run(args, progress);
  }

  std::unique_ptr<sim::host::BackgroundSim> m_sim;

 private:
  std::filesystem::path m_dir;
};

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace ctltest
