#include "monitor/alarm_line_columns.h"

namespace monitor {

std::array<QString, 4> AlarmLineColumns(const QString& line) {
  const qsizetype date = line.indexOf(QLatin1Char('('));
  const qsizetype time = date < 0 ? -1 : line.indexOf(QLatin1Char(' '), date);
  const qsizetype text = time < 0 ? -1 : line.indexOf(QLatin1Char(')'), time);
  if (text < 0) return {QString(), QString(), QString(), line};
  return {line.left(date), line.mid(date, time - date), line.mid(time + 1, text + 1 - (time + 1)),
          line.mid(text + 1).trimmed()};
}

}  // namespace monitor
