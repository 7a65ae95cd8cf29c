#include "sim/host/endpoint.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#if defined(__APPLE__)
#include <util.h>
#else
#include <pty.h>
#endif

namespace sim::host {
namespace {

bool MakeRaw(int fd) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return false;
  // Without raw mode on both ends a CR would arrive as LF and end every frame early.
  cfmakeraw(&t);
  return tcsetattr(fd, TCSANOW, &t) == 0;
}

bool SetNonBlocking(int fd) {
  const int flags = fcntl(fd, F_GETFL);
  return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

}  // namespace

Endpoint Endpoint::OpenPty(std::string& error) {
  Endpoint e;
  int master = -1;
  int slave = -1;
  if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
    error = std::string("openpty: ") + std::strerror(errno);
    return e;
  }
  e.m_fd = master;
  e.m_slave = slave;
  const char* name = ttyname(slave);
  e.m_path = name ? name : "";
  if (!MakeRaw(master) || !MakeRaw(slave) || !SetNonBlocking(master)) {
    error = std::string("pseudo-terminal setup: ") + std::strerror(errno);
    return Endpoint();  // e closes both ends
  }
  return e;
}

Endpoint Endpoint::OpenDevice(const std::string& path, std::string& error) {
  Endpoint e;
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    error = path + ": " + std::strerror(errno);
    return e;
  }
  e.m_fd = fd;
  e.m_path = path;
  termios t{};
  if (tcgetattr(fd, &t) == 0) {
    cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB);
    t.c_cflag |= CS7 | PARENB | PARODD | CLOCAL | CREAD;
    cfsetispeed(&t, B115200);
    cfsetospeed(&t, B115200);
    if (tcsetattr(fd, TCSANOW, &t) == 0) return e;
  }
  error = path + ": line settings: " + std::strerror(errno);
  return Endpoint();
}

Endpoint::Endpoint(Endpoint&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)),
      m_slave(std::exchange(other.m_slave, -1)),
      m_path(std::move(other.m_path)) {}

Endpoint::~Endpoint() {
  if (m_fd >= 0) close(m_fd);
  if (m_slave >= 0) close(m_slave);
}

}  // namespace sim::host
