#pragma once
// The simulator's end of the serial line: the master side of a new pseudo-terminal
// or an opened serial device, in raw mode and non-blocking.

#include <string>

namespace sim::host {

class Endpoint {
 public:
  // A pseudo-terminal pair; DevicePath() is the end the PC program opens.
  static Endpoint OpenPty(std::string& error);
  // A serial device at 115,200 bit/s, odd parity, 7 data bits, 1 stop bit.
  static Endpoint OpenDevice(const std::string& path, std::string& error);

  Endpoint(Endpoint&& other) noexcept;
  Endpoint& operator=(Endpoint&&) = delete;
  ~Endpoint();

  bool ok() const { return m_fd >= 0; }
  int fd() const { return m_fd; }
  const std::string& DevicePath() const { return m_path; }
  // A pty's slave end is held open so that the master neither hangs up nor fails
  // while no PC program has the device open.
  bool IsPty() const { return m_slave >= 0; }

 private:
  Endpoint() = default;
  int m_fd = -1;
  int m_slave = -1;
  std::string m_path;
};

}  // namespace sim::host
