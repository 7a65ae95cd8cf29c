#include "qtlink/port_access_hint.h"

#if defined(Q_OS_UNIX)
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qtlink {

QString GroupHint(const QString& group) {
  const QString name = group.isEmpty() ? QStringLiteral("dialout") : group;
  return QStringLiteral(": the user must be in the '%1' group (sudo usermod -aG %1 $USER, then log in again)")
      .arg(name);
}

QString OpenFailureHint(const QString& device, QSerialPort::SerialPortError error) {
  if (error != QSerialPort::PermissionError) return {};
#if defined(Q_OS_UNIX)
  const QByteArray path = device.toLocal8Bit();
  if (access(path.constData(), R_OK | W_OK) == 0) return QStringLiteral(": in use by another program");
  struct stat st {};
  QString owner;
  // A group without read and write rights is no way in; serial adapters are given to
  // dialout by the system's device rules.
  const mode_t groupRw = S_IRGRP | S_IWGRP;
  if (stat(path.constData(), &st) == 0 && (st.st_mode & groupRw) == groupRw) {
    if (const struct group* g = getgrgid(st.st_gid)) owner = QString::fromLocal8Bit(g->gr_name);
  }
  return GroupHint(owner);
#else
  Q_UNUSED(device);
  return QStringLiteral(": in use by another program");
#endif
}

}  // namespace qtlink
