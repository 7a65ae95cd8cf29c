#include "qtlink/wall_clock.h"

#include <QDateTime>
#include <QLocale>

namespace qtlink {

bus::WallClockAnchor WallClockNow(const bus::Clock& clock) {
  bus::WallClockAnchor anchor;
  anchor.micros = clock.MonotonicMs() * 1000;
  anchor.wall = clock.Now();
  anchor.utcOffsetMinutes = QDateTime::currentDateTime().offsetFromUtc() / 60;
  return anchor;
}

std::int64_t LocalEpochOffset(const bus::WallClockAnchor& anchor) {
  const bus::DateTime& w = anchor.wall;
  const QDateTime wall(QDate(w.year, w.month, w.day), QTime(w.hour, w.minute, w.second), Qt::UTC);
  return wall.toMSecsSinceEpoch() * 1000 - anchor.micros;
}

char SystemDecimalSeparator() {
  const QByteArray point = QLocale::system().decimalPoint().toUtf8();
  return point.size() == 1 ? point[0] : '.';
}

}  // namespace qtlink
