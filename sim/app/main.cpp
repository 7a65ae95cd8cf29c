// kx7140-sim: serves the simulated controller on a pseudo-terminal or serial device
// until SIGINT or SIGTERM, then prints what went over the line.

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
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
#include "sim/app/endpoint.h"
#include "sim/controller.h"
#include "sim/demo_memory.h"

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
    struct sigaction sa{};
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

std::int64_t MonotonicMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bus::DateTime LocalNow() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
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
  struct stat st{};
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
    std::cerr << "kx7140-sim: " << error << "\n" << sim::app::kUsage;
    return 2;
  }
  if (cl->help) {
    std::cout << sim::app::kUsage;
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
  sim::app::Endpoint line = cl->portDevice.empty() ? sim::app::Endpoint::OpenPty(error)
                                                   : sim::app::Endpoint::OpenDevice(cl->portDevice, error);
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

  // Nobody may be reading the other end; what cannot be written is dropped once
  // this much is waiting, as a bus without listeners would lose it.
  constexpr std::size_t kMaxPendingOut = 64 * 1024;
  std::string pendingOut;
  std::uint64_t droppedOut = 0;
  int status = 0;
  char buffer[4096];

  while (!stop.Raised()) {
    const std::int64_t now = MonotonicMs();
    const int wait = static_cast<int>(std::clamp<std::int64_t>(controller->NextDueMs() - now, 0, 50));
    pollfd fds[2] = {{line.fd(), static_cast<short>(POLLIN | (pendingOut.empty() ? 0 : POLLOUT)), 0},
                     {stop.fd(), POLLIN, 0}};
    const nfds_t count = stop.fd() >= 0 ? 2 : 1;
    if (poll(fds, count, stop.fd() >= 0 ? wait : std::min(wait, 20)) < 0 && errno != EINTR) {
      std::cerr << "kx7140-sim: poll: " << std::strerror(errno) << "\n";
      status = 1;
      break;
    }
    if (fds[0].revents & POLLIN) {
      const ssize_t n = read(line.fd(), buffer, sizeof buffer);
      if (n > 0) {
        controller->Receive(std::string_view(buffer, static_cast<std::size_t>(n)), MonotonicMs());
      } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
        if (!line.IsPty()) {
          std::cerr << "kx7140-sim: " << line.DevicePath() << ": device lost\n";
          status = 1;
          break;
        }
      }
    } else if ((fds[0].revents & (POLLHUP | POLLERR)) && !line.IsPty()) {
      std::cerr << "kx7140-sim: " << line.DevicePath() << ": device lost\n";
      status = 1;
      break;
    }
    pendingOut += controller->Step(MonotonicMs());
    if (!pendingOut.empty()) {
      const ssize_t n = write(line.fd(), pendingOut.data(), pendingOut.size());
      if (n > 0) pendingOut.erase(0, static_cast<std::size_t>(n));
      if (pendingOut.size() > kMaxPendingOut) {
        droppedOut += pendingOut.size();
        pendingOut.clear();
      }
    }
  }

  if (!cl->linkPath.empty()) unlink(cl->linkPath.c_str());
  const sim::Counters& c = controller->Count();
  std::cout << "turns " << c.turns << ", frames received " << c.framesReceived << ", bad frames "
            << c.badFrames << ", blocks written " << c.blocksWritten << ", blocks read "
            << c.blocksRead << ", commands " << c.commandsSeen << ", replies lost "
            << c.repliesLost << ", corrupted " << c.repliesCorrupted;
  if (droppedOut != 0) std::cout << ", bytes dropped unread " << droppedOut;
  std::cout << std::endl;
  return status;
}
