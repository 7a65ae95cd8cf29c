#include "qtlink/qt_clock.h"

#include <QDateTime>

namespace qtlink {

QtClock::QtClock(const QLocale& locale) : m_locale(locale) { m_elapsed.start(); }

bus::DateTime QtClock::Now() const {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), d.dayOfWeek()};
}

std::int64_t QtClock::MonotonicMs() const { return m_elapsed.elapsed(); }

std::string QtClock::WeekdayName(int isoWeekday) const {
  if (isoWeekday < 1 || isoWeekday > 7) return {};
  return m_locale.dayName(isoWeekday, QLocale::LongFormat).toStdString();
}

std::string QtClock::FormatDateTime(const bus::DateTime& when) const {
  // The locale's short date, but always with seconds: an engineer compares this
  // clock with the controller's, which counts seconds.
  const QDate date(when.year, when.month, when.day);
  const QTime time(when.hour, when.minute, when.second);
  return (m_locale.toString(date, QLocale::ShortFormat) + QLatin1Char(' ') +
          time.toString(QStringLiteral("HH:mm:ss")))
      .toStdString();
}

}  // namespace qtlink
