#include "qtlink/port_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace qtlink {

namespace {

#if defined(Q_OS_WIN)
int ComNumber(const QString& portName) {
  if (!portName.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) return 0;
  bool ok = false;
  const int n = portName.mid(3).toInt(&ok);
  return ok ? n : 0;
}
#endif

}  // namespace

QList<PortEntry> ListPorts(const QString& byIdFolder) {
  QList<PortEntry> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    PortEntry e;
    e.device = info.systemLocation();
    if (!byIdFolder.isEmpty()) e.stableName = StableNameFor(e.device, byIdFolder);
    e.description = info.description();
    e.serialNumber = info.serialNumber();
#if defined(Q_OS_WIN)
    e.device = info.portName();
    e.number = ComNumber(e.device);
#endif
    ports << e;
  }
#if defined(Q_OS_WIN)
  std::sort(ports.begin(), ports.end(),
            [](const PortEntry& a, const PortEntry& b) { return a.number < b.number; });
#else
  std::sort(ports.begin(), ports.end(),
            [](const PortEntry& a, const PortEntry& b) { return a.device < b.device; });
  for (qsizetype i = 0; i < ports.size(); ++i) ports[i].number = static_cast<int>(i + 1);
#endif
  return ports;
}

QStringList SerialDeviceList() {
  QStringList devices;
  for (const PortEntry& e : ListPorts()) devices << e.device;
  return devices;
}

QString DeviceForNumber(int number, const QStringList& devices) {
#if defined(Q_OS_WIN)
  Q_UNUSED(devices);
  return number >= 1 ? QStringLiteral("COM%1").arg(number) : QString();
#else
  if (number < 1 || number > devices.size()) return {};
  return devices.at(number - 1);
#endif
}

QString SystemLocation(const QString& name) {
#if defined(Q_OS_WIN)
  return name;
#else
  if (name.isEmpty() || name.contains(QLatin1Char('/'))) return name;
  return QStringLiteral("/dev/") + name;
#endif
}

QString StableNameFor(const QString& device, const QString& byIdFolder) {
  const QString target = QFileInfo(device).canonicalFilePath();
  if (target.isEmpty()) return {};
  const QDir folder(byIdFolder);
  for (const QFileInfo& link :
       folder.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
    if (link.isSymLink() && link.canonicalFilePath() == target) return link.absoluteFilePath();
  }
  return {};
}

}  // namespace qtlink
