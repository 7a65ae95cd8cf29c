#pragma once
// The serial port as the link needs it. The application adapts QSerialPort; tests
// use a scripted fake; the demo and end-to-end tests a pseudo-terminal.

#include <functional>
#include <string>
#include <string_view>

namespace bus {

struct PortResult {
  bool ok = true;
  std::string message;  // the error text for the status line when !ok
  static PortResult Ok() { return {}; }
  static PortResult Fail(std::string text) { return {false, std::move(text)}; }
};

enum class PortFault {
  DeviceLost,  // the device went away while open (adapter pulled, pty closed)
  Note,        // an operation the device does not support; the port stays usable
};

class SerialPort {
 public:
  struct Handlers {
    std::function<void()> readyRead;
    std::function<void(PortFault, const std::string& text)> fault;
    // A line event by its port event code (1001 break, 1004 framing, 1006 overrun,
    // 1008 receive buffer overflow, 1009 parity); the port stays usable.
    std::function<void(int eventCode)> lineEvent;
  };

  virtual ~SerialPort() = default;
  virtual void SetHandlers(Handlers handlers) = 0;
  virtual void Select(int portNumber) = 0;
  // The device the selected number stands for, shown to the user ("" if none).
  virtual std::string DeviceName() const = 0;
  virtual void SetLineSettings(std::string_view settings) = 0;  // "57600,O,7,1"
  virtual PortResult Open() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual std::string ReadAll() = 0;
  // Throws away what the device has received and not yet handed over, down to the
  // operating system's buffer.
  virtual void DiscardInput() = 0;
  virtual PortResult Write(std::string_view bytes) = 0;
  virtual PortResult SetBaudRate(int rate) = 0;  // on the open device
};

}  // namespace bus
