#include "sim/host/serve_loop.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace sim::host {

std::int64_t SteadyMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string Serve(Controller& controller, const Endpoint& line, int stopFd,
                  const std::function<bool()>& stopRequested, ServeStats& stats) {
  // Nobody may be reading the other end; what cannot be written is dropped once
  // this much is waiting, as a bus without listeners would lose it.
  constexpr std::size_t kMaxPendingOut = 64 * 1024;
  std::string pendingOut;
  char buffer[4096];
  const std::string lost = line.DevicePath() + ": device lost";

  while (!(stopRequested && stopRequested())) {
    const std::int64_t now = SteadyMs();
    int wait = static_cast<int>(std::clamp<std::int64_t>(controller.NextDueMs() - now, 0, 50));
    if (stopFd < 0) wait = std::min(wait, 20);
    pollfd fds[2] = {{line.fd(), static_cast<short>(POLLIN | (pendingOut.empty() ? 0 : POLLOUT)), 0},
                     {stopFd, POLLIN, 0}};
    if (poll(fds, stopFd >= 0 ? 2 : 1, wait) < 0 && errno != EINTR) {
      return std::string("poll: ") + std::strerror(errno);
    }
    if (stopFd >= 0 && (fds[1].revents & POLLIN)) return {};
    if (fds[0].revents & POLLIN) {
      const ssize_t n = read(line.fd(), buffer, sizeof buffer);
      if (n > 0) {
        controller.Receive(std::string_view(buffer, static_cast<std::size_t>(n)), SteadyMs());
      } else if ((n == 0 || (errno != EAGAIN && errno != EINTR)) && !line.IsPty()) {
        return lost;
      }
    } else if ((fds[0].revents & (POLLHUP | POLLERR)) && !line.IsPty()) {
      return lost;
    }
    pendingOut += controller.Step(SteadyMs());
    if (!pendingOut.empty()) {
      const ssize_t n = write(line.fd(), pendingOut.data(), pendingOut.size());
      if (n > 0) pendingOut.erase(0, static_cast<std::size_t>(n));
      if (pendingOut.size() > kMaxPendingOut) {
        stats.droppedOut += pendingOut.size();
        pendingOut.clear();
      }
    }
  }
  return {};
}

}  // namespace sim::host
