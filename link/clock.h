#pragma once
// The link's view of time and language. Cores never read the system clock or locale
// themselves, so that tests can fix both.

#include <cstdint>
#include <string>

namespace bus {

struct DateTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int isoWeekday = 6;  // Monday = 1 ... Sunday = 7
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() const = 0;
  // Milliseconds on a clock that never jumps; only differences are used.
  virtual std::int64_t MonotonicMs() const = 0;
  // Name of a weekday (Monday = 1 ... Sunday = 7) in the PC's language.
  virtual std::string WeekdayName(int isoWeekday) const = 0;
  // Date and time in the PC's default short format.
  virtual std::string FormatDateTime(const DateTime& when) const = 0;
};

}  // namespace bus
