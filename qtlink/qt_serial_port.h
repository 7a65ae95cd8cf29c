#pragma once
// The link's serial port on QSerialPort. Port number n is COMn on Windows and the
// n-th serial device by name elsewhere, unless a device path was named directly.

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <cstdint>

#include "link/serial_port.h"
#include "qtlink/line_error_counts.h"
#include "qtlink/port_list.h"

namespace qtlink {

class QtSerialPort : public QObject, public bus::SerialPort {
  Q_OBJECT
 public:
  // A non-empty devicePath overrides the port number.
  explicit QtSerialPort(QString devicePath = {}, QObject* parent = nullptr);
  ~QtSerialPort() override;

  void SetHandlers(Handlers handlers) override;
  void Select(int portNumber) override;
  std::string DeviceName() const override;
  void SetLineSettings(std::string_view settings) override;
  bus::PortResult Open() override;
  void Close() override;
  bool IsOpen() const override;
  std::string ReadAll() override;
  void DiscardInput() override;
  bus::PortResult Write(std::string_view bytes) override;
  bus::PortResult SetBaudRate(int rate) override;

 private:
  void OnError(QSerialPort::SerialPortError error);
  // The serial devices, listed again only when the system's device set may have moved.
  const QList<PortEntry>& Ports();
  // Reads the driver's line error counters; false where the device keeps none.
  bool ReadLineErrorCounts(LineErrorCounts& counts) const;
  void CheckLineErrors();

  QSerialPort m_port;
  QString m_override;
  QString m_device;
  QList<PortEntry> m_ports;
  std::int64_t m_portsChanged = -1;
  QString m_description;  // the adapter's, shown beside a numbered port's device
  Handlers m_handlers;
  bool m_opening = false;
  bool m_lostReported = false;
  bool m_countsKept = false;
  LineErrorCounts m_counts;
};

}  // namespace qtlink
