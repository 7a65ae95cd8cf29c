#include "qtlink/capture_time.h"

#include <QDateTime>

namespace qtlink {

bus::CaptureHeader CaptureHeaderNow(std::string port, std::string programVersion) {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  bus::CaptureHeader header;
  header.start = {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), d.dayOfWeek()};
  header.utcOffsetMinutes = now.offsetFromUtc() / 60;
  header.port = std::move(port);
  header.programVersion = std::move(programVersion);
  return header;
}

QDateTime CaptureStartTime(const bus::CaptureHeader& header) {
  const bus::DateTime& s = header.start;
  return QDateTime(QDate(s.year, s.month, s.day), QTime(s.hour, s.minute, s.second), Qt::OffsetFromUTC,
                   header.utcOffsetMinutes * 60);
}

}  // namespace qtlink
