#pragma once
// The link's serial port on QSerialPort. Port number n is COMn on Windows and the
// n-th serial device by name elsewhere, unless a device path was named directly.

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include "link/serial_port.h"
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
  bus::PortResult Write(std::string_view bytes) override;
  bus::PortResult SetBaudRate(int rate) override;

 private:
  void OnError(QSerialPort::SerialPortError error);

  QSerialPort m_port;
  QString m_override;
  QString m_device;
  QString m_description;  // the adapter's, shown beside a numbered port's device
  Handlers m_handlers;
  bool m_opening = false;
  bool m_lostReported = false;
};

}  // namespace qtlink
