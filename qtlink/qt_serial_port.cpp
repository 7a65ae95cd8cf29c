#include "qtlink/qt_serial_port.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include "qtlink/port_access_hint.h"

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif
#if defined(Q_OS_LINUX)
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

#include <algorithm>
#include <charconv>
#include <vector>

namespace qtlink {

namespace {

std::vector<std::string_view> SplitFields(std::string_view text) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    fields.push_back(text.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

int FieldNumber(std::string_view field, int fallback) {
  int value = fallback;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  return (ec == std::errc() && end == field.data() + field.size()) ? value : fallback;
}

std::string Text(const QString& s) { return s.toStdString(); }

}  // namespace

QtSerialPort::QtSerialPort(QString devicePath, QObject* parent)
    : QObject(parent), m_override(std::move(devicePath)) {
  m_device = m_override;
  connect(&m_port, &QSerialPort::readyRead, this, [this] {
    CheckLineErrors();
    if (m_handlers.readyRead) m_handlers.readyRead();
  });
  connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::OnError);
}

QtSerialPort::~QtSerialPort() {
  m_handlers = {};
  if (m_port.isOpen()) m_port.close();
}

void QtSerialPort::SetHandlers(Handlers handlers) { m_handlers = std::move(handlers); }

void QtSerialPort::Select(int portNumber) {
  if (!m_override.isEmpty()) {
    m_device = m_override;
    return;
  }
  m_device.clear();
  m_description.clear();
  for (const PortEntry& e : Ports()) {
    if (e.number != portNumber) continue;
    m_device = e.device;
    m_description = e.description;
  }
#if defined(Q_OS_WIN)
  if (m_device.isEmpty()) m_device = DeviceForNumber(portNumber, {});
#endif
}

const QList<PortEntry>& QtSerialPort::Ports() {
  // Listing the serial devices reads the system's whole device tree, tens of
  // milliseconds. Device nodes come and go in /dev, so the folder's time of change
  // tells whether the last list can still be right.
  std::int64_t changed = -1;
#if defined(Q_OS_UNIX)
  struct stat st {};
  if (stat("/dev", &st) == 0) {
    changed = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  }
#endif
  if (changed < 0 || changed != m_portsChanged) {
    m_ports = ListPorts();
    m_portsChanged = changed;
  }
  return m_ports;
}

std::string QtSerialPort::DeviceName() const {
  return Text(m_description.isEmpty() ? m_device
                                      : m_device + QStringLiteral(" (") + m_description + QLatin1Char(')'));
}

void QtSerialPort::SetLineSettings(std::string_view settings) {
  const auto f = SplitFields(settings);
  if (f.size() != 4) return;
  m_port.setBaudRate(FieldNumber(f[0], 9600));
  const char parity = f[1].empty() ? 'N' : f[1][0];
  switch (parity) {
    case 'O':
    case 'o': m_port.setParity(QSerialPort::OddParity); break;
    case 'E':
    case 'e': m_port.setParity(QSerialPort::EvenParity); break;
    case 'M':
    case 'm': m_port.setParity(QSerialPort::MarkParity); break;
    case 'S':
    case 's': m_port.setParity(QSerialPort::SpaceParity); break;
    default: m_port.setParity(QSerialPort::NoParity); break;
  }
  m_port.setDataBits(static_cast<QSerialPort::DataBits>(std::clamp(FieldNumber(f[2], 8), 5, 8)));
  m_port.setStopBits(FieldNumber(f[3], 1) == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
  m_port.setFlowControl(QSerialPort::NoFlowControl);
}

bus::PortResult QtSerialPort::Open() {
  if (m_port.isOpen()) return {};
  if (m_device.isEmpty()) return bus::PortResult::Fail("Invalid port number");
    // QSerialPort takes a lock file before it looks at the device, milliseconds per
    // try; while the cable is out the link tries every tick, so look at the name first.
#if defined(Q_OS_UNIX)
  if (!QFileInfo::exists(m_device)) {
    return bus::PortResult::Fail("No such file or directory (" + Text(m_device) + ")");
  }
#endif
  m_port.setPortName(m_device);
  m_opening = true;
  const bool opened = m_port.open(QIODevice::ReadWrite);
  m_opening = false;
  if (!opened) {
    const QString device = SystemLocation(m_device);
    return bus::PortResult::Fail(Text(m_port.errorString()) + " (" + Text(device) + ")" +
                                 Text(OpenFailureHint(device, m_port.error())));
  }
  m_lostReported = false;
  m_countsKept = ReadLineErrorCounts(m_counts);
  return {};
}

void QtSerialPort::Close() {
  if (m_port.isOpen()) m_port.close();
  m_port.clearError();
}

bool QtSerialPort::IsOpen() const { return m_port.isOpen(); }

std::string QtSerialPort::ReadAll() {
  const QByteArray bytes = m_port.readAll();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void QtSerialPort::DiscardInput() {
  if (!m_port.isOpen()) return;
  m_port.clear(QSerialPort::Input);
  m_port.readAll();
}

bool QtSerialPort::ReadLineErrorCounts(LineErrorCounts& counts) const {
#if defined(Q_OS_LINUX)
  serial_icounter_struct c{};
  if (ioctl(m_port.handle(), TIOCGICOUNT, &c) != 0) return false;
  counts = {static_cast<std::uint32_t>(c.brk), static_cast<std::uint32_t>(c.frame),
            static_cast<std::uint32_t>(c.overrun), static_cast<std::uint32_t>(c.buf_overrun),
            static_cast<std::uint32_t>(c.parity)};
  return true;
#else
  Q_UNUSED(counts);
  return false;
#endif
}

void QtSerialPort::CheckLineErrors() {
  // A pseudo-terminal keeps no counters; then there is nothing to ask at each read.
  LineErrorCounts now;
  if (!m_countsKept || !ReadLineErrorCounts(now)) return;
  const std::vector<int> codes = LineErrorEvents(m_counts, now);
  m_counts = now;
  for (int code : codes) {
    if (m_handlers.lineEvent) m_handlers.lineEvent(code);
  }
}

bus::PortResult QtSerialPort::Write(std::string_view bytes) {
  if (!m_port.isOpen()) return bus::PortResult::Fail("Operation valid only when the port is open");
  const qint64 n = m_port.write(bytes.data(), static_cast<qint64>(bytes.size()));
  if (n != static_cast<qint64>(bytes.size())) return bus::PortResult::Fail(Text(m_port.errorString()));
  // The frame should leave now, not at the next turn of the event loop.
  m_port.flush();
  return {};
}

bus::PortResult QtSerialPort::SetBaudRate(int rate) {
  if (!m_port.isOpen()) return bus::PortResult::Fail("Operation valid only when the port is open");
  if (!m_port.setBaudRate(rate)) return bus::PortResult::Fail("Could not set port to specified baud rate");
  return {};
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
  // Errors of a failing open() come back as its result.
  if (error == QSerialPort::NoError || m_opening) return;
  const std::string text = Text(m_port.errorString());
  m_port.clearError();
  switch (error) {
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
      // A vanished device signals this endlessly while open; say it once per opening.
      if (m_lostReported) return;
      m_lostReported = true;
      if (m_handlers.fault) m_handlers.fault(bus::PortFault::DeviceLost, text);
      // Whoever listens normally closes the port; a port left open here would spin.
      if (m_port.isOpen()) m_port.close();
      return;
    case QSerialPort::UnsupportedOperationError:
      if (m_handlers.fault) m_handlers.fault(bus::PortFault::Note, text);
      return;
    default:
      // Write and timeout errors also come back from the call that caused them.
      return;
  }
}

}  // namespace qtlink
