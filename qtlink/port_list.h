#pragma once
// The serial ports of this PC as the program counts them: port number n is COMn on
// Windows and the n-th serial device by name elsewhere. kx7140ctl's listing, the
// number resolution and the window's device text all come from here, so they agree.

#include <QList>
#include <QString>
#include <QStringList>

namespace qtlink {

struct PortEntry {
  int number = 0;       // as PortNumber counts it
  QString device;       // /dev/ttyUSB0, COM3
  QString stableName;   // /dev/serial/by-id/... naming the same device, "" if none
  QString description;  // the adapter's product text, "" if it gives none
  QString serialNumber;
};

inline constexpr const char* kStableNameFolder = "/dev/serial/by-id";

// The ports now present, in the order their numbers count them; stable names are
// looked up only when a folder of them is given.
QList<PortEntry> ListPorts(const QString& byIdFolder = {});

// The devices a port number can stand for, in the order the numbers count them.
QStringList SerialDeviceList();
// The device for port number n (1 = first), "" when there is none.
QString DeviceForNumber(int number, const QStringList& devices);

// The full device path QSerialPort opens for a short name ("ttyUSB0" is
// /dev/ttyUSB0 on Linux); a path or a Windows COM name stays as it is.
QString SystemLocation(const QString& name);

// The first link in the folder that leads to the device, as its full path; "" if none.
QString StableNameFor(const QString& device, const QString& byIdFolder);

}  // namespace qtlink
