#pragma once
// The PC's clock and language as the link core sees them, from Qt.

#include <QElapsedTimer>
#include <QLocale>

#include "link/clock.h"

namespace qtlink {

class QtClock : public bus::Clock {
 public:
  explicit QtClock(const QLocale& locale = QLocale::system());
  bus::DateTime Now() const override;
  std::int64_t MonotonicMs() const override;
  std::string WeekdayName(int isoWeekday) const override;
  std::string FormatDateTime(const bus::DateTime& when) const override;

 private:
  QLocale m_locale;
  QElapsedTimer m_elapsed;
};

}  // namespace qtlink
