#include "sim/controller_clock.h"

#include <chrono>

namespace sim {
namespace {
using namespace std::chrono;

constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}
}  // namespace

bool ControllerClock::Set(const bus::DateTime& t, std::int64_t nowMs) {
  if (t.year < 1970 || t.year > 9999) return false;
  if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) {
    return false;
  }
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31) return false;
  const year_month_day date{year{t.year}, month{static_cast<unsigned>(t.month)},
                            day{static_cast<unsigned>(t.day)}};
  if (!date.ok()) return false;
  const std::int64_t days = sys_days{date}.time_since_epoch().count();
  m_baseSeconds = days * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
  m_baseMs = nowMs;
  return true;
}

bus::DateTime ControllerClock::At(std::int64_t nowMs) const {
  const std::int64_t seconds = m_baseSeconds + FloorDiv(nowMs - m_baseMs, 1000);
  const std::int64_t days = FloorDiv(seconds, 86400);
  const std::int64_t inDay = seconds - days * 86400;
  const sys_days d{std::chrono::days{days}};
  const year_month_day date{d};
  bus::DateTime t;
  t.year = static_cast<int>(date.year());
  t.month = static_cast<int>(static_cast<unsigned>(date.month()));
  t.day = static_cast<int>(static_cast<unsigned>(date.day()));
  t.hour = static_cast<int>(inDay / 3600);
  t.minute = static_cast<int>(inDay / 60 % 60);
  t.second = static_cast<int>(inDay % 60);
  t.isoWeekday = static_cast<int>(weekday{d}.iso_encoding());
  return t;
}

}  // namespace sim
