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

class PtyPair {
 public:
  explicit PtyPair(const std::filesystem::path& link) : m_link(link) {
    int slave = -1;
    if (openpty(&m_master, &slave, nullptr, nullptr, nullptr) != 0) return;
    termios t{};
    for (int fd : {m_master, slave}) {
      tcgetattr(fd, &t);
      cfmakeraw(&t);
      tcsetattr(fd, TCSANOW, &t);
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    std::error_code ec;
    std::filesystem::remove(m_link, ec);
    std::filesystem::create_symlink(ttyname(slave), m_link, ec);
    close(slave);  // the program's open keeps the pty alive from now on
  }
  ~PtyPair() {
    if (m_master >= 0) close(m_master);
    std::error_code ec;
    std::filesystem::remove(m_link, ec);
  }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  bool ok() const { return m_master >= 0; }
  const std::filesystem::path& Link() const { return m_link; }

  void Send(const std::string& bytes) const {
    if (m_master >= 0) (void)!write(m_master, bytes.data(), bytes.size());
  }
  std::string Received() const {
    std::string all;
    char buf[512];
    ssize_t n;
    while (m_master >= 0 && (n = read(m_master, buf, sizeof buf)) > 0)
      all.append(buf, static_cast<std::size_t>(n));
    return all;
  }

 private:
  std::filesystem::path m_link;
  int m_master = -1;
};

}  // namespace qttest
