#pragma once
// A pseudo-terminal owned by the test: the master end plays the controller (or, left
// silent, a cable to nowhere), the slave end is what the program opens, by a symlink.

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace qttest {

struct PtyPair {
  explicit PtyPair(const std::filesystem::path& path) : link(path) {
    int slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return;
    termios t{};
    for (int fd : {master, slave}) {
      tcgetattr(fd, &t);
      cfmakeraw(&t);
      tcsetattr(fd, TCSANOW, &t);
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    std::error_code ec;
    std::filesystem::remove(link, ec);
    std::filesystem::create_symlink(ttyname(slave), link, ec);
    close(slave);  // the program's open keeps the pty alive from now on
  }
  ~PtyPair() {
    if (master >= 0) close(master);
    std::error_code ec;
    std::filesystem::remove(link, ec);
  }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  void Send(const std::string& bytes) const { (void)!write(master, bytes.data(), bytes.size()); }
  std::string Received() const {
    std::string all;
    char buf[512];
    for (ssize_t n; (n = read(master, buf, sizeof buf)) > 0;) all.append(buf, static_cast<std::size_t>(n));
    return all;
  }

  const std::filesystem::path link;
  int master = -1;  // -1 when the machine has no pseudo-terminal
};

}  // namespace qttest
