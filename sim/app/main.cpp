// kx7140-sim: serves the simulated controller on a pseudo-terminal or serial device
// until SIGINT or SIGTERM, then prints what went over the line.

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "sim/app/command_line.h"
#include "sim/controller.h"
#include "sim/demo_memory.h"
#include "sim/host/endpoint.h"
#include "sim/host/serve_loop.h"

#if defined(__linux__)
#include <sys/signalfd.h>
#endif

namespace {

#if !defined(__linux__)
// Where signalfd is missing, the handler's flag is the one piece of shared state.
volatile sig_atomic_t g_stop = 0;
extern "C" void OnStopSignal(int) { g_stop = 1; }
#endif

// Signals arrive as readable data on a descriptor, so the poll loop sees them.
class StopSignals {
 public:
  StopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
#if defined(__linux__)
    sigprocmask(SIG_BLOCK, &set, nullptr);
    m_fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
#else
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
#endif
  }
  ~StopSignals() {
    if (m_fd >= 0) close(m_fd);
  }
  int fd() const { return m_fd; }
  bool Raised() const {
#if defined(__linux__)
    signalfd_siginfo info;
    return m_fd >= 0 && read(m_fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info);
#else
    return g_stop != 0;
#endif
  }

 private:
  int m_fd = -1;
};

bus::DateTime LocalNow() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900,
          tm.tm_mon + 1,
          tm.tm_mday,
          tm.tm_hour,
          tm.tm_min,
          tm.tm_sec,
          tm.tm_wday == 0 ? 7 : tm.tm_wday};
}

bool LoadMemory(const std::string& path, program::ProgramImage& memory, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": " + std::strerror(errno);
    return false;
  }
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() != memory.size()) {
    error = path + ": not a raw memory image of 65536 bytes (" + std::to_string(bytes.size()) +
            " bytes); project files are opened by the service tool, not by the simulator";
    return false;
  }
  std::copy(bytes.begin(), bytes.end(), memory.begin());
  return true;
}

// Replaces an old symlink at path, but never a file that is not one.
bool MakeLink(const std::string& target, const std::string& path, std::string& error) {
  struct stat st {};
  if (lstat(path.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) {
      error = path + " exists and is not a symlink";
      return false;
    }
    unlink(path.c_str());
  }
  if (symlink(target.c_str(), path.c_str()) != 0) {
    error = path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto cl = sim::app::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!cl) {
    std::cerr << "kx7140-sim: " << error << " (see kx7140-sim --help)\n";
    return 2;
  }
  if (cl->help) {
    std::cout << sim::app::kUsage;
    return 0;
  }
  if (cl->version) {
    std::cout << "kx7140-sim " << KX_VERSION << "\n";
    return 0;
  }

  auto memory = std::make_unique<program::ProgramImage>(sim::DemoMemory());
  if (!cl->memoryFile.empty() && !LoadMemory(cl->memoryFile, *memory, error)) {
    std::cerr << "kx7140-sim: " << error << "\n";
    return 1;
  }
  sim::Options options = cl->sim;
  options.clockStart = LocalNow();
  auto controller = std::make_unique<sim::Controller>(*memory, options);

  StopSignals stop;
  sim::host::Endpoint line = cl->portDevice.empty() ? sim::host::Endpoint::OpenPty(error)
                                                    : sim::host::Endpoint::OpenDevice(cl->portDevice, error);
  if (!line.ok()) {
    std::cerr << "kx7140-sim: " << error << "\n";
    return 1;
  }
  if (!cl->linkPath.empty() && !MakeLink(line.DevicePath(), cl->linkPath, error)) {
    std::cerr << "kx7140-sim: " << error << "\n";
    return 1;
  }
  std::cout << line.DevicePath() << std::endl;
  if (!cl->linkPath.empty()) std::cout << cl->linkPath << " -> " << line.DevicePath() << std::endl;

  sim::host::ServeStats stats;
  const std::string failure = sim::host::Serve(
      *controller, line, stop.fd(), [&] { return stop.Raised(); }, stats);
  const int status = failure.empty() ? 0 : 1;
  if (!failure.empty()) std::cerr << "kx7140-sim: " << failure << "\n";

  if (!cl->linkPath.empty()) unlink(cl->linkPath.c_str());
  const sim::Counters& c = controller->Count();
  std::cout << "turns " << c.turns << ", frames received " << c.framesReceived << ", bad frames "
            << c.badFrames << ", blocks written " << c.blocksWritten << ", blocks read " << c.blocksRead
            << ", commands " << c.commandsSeen << ", replies lost " << c.repliesLost << ", corrupted "
            << c.repliesCorrupted;
  if (stats.droppedOut != 0) std::cout << ", bytes dropped unread " << stats.droppedOut;
  std::cout << std::endl;
  return status;
}
