#pragma once
// What the user can do about a port that would not open for lack of rights: on Linux
// the device belongs to a group (dialout, mostly) that the user must be in; a device
// the user may open but another program holds is said to be busy instead.

#include <QSerialPort>
#include <QString>

namespace qtlink {

// Text to append to the open error of the device ("" when there is nothing to add).
QString OpenFailureHint(const QString& device, QSerialPort::SerialPortError error);

// The hint for a device the user may not open, owned by the named group; the
// testable half of OpenFailureHint.
QString GroupHint(const QString& group);

}  // namespace qtlink
