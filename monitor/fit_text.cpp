#include "monitor/fit_text.h"

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace monitor {

void FitFontToTexts(QWidget& label, const QStringList& samples, double smallestPoint) {
  QFont font = label.font();
  const int room = label.contentsRect().width();
  const auto widest = [&samples](const QFont& f) {
    const QFontMetrics m(f);
    int w = 0;
    for (const QString& s : samples) w = std::max(w, m.horizontalAdvance(s));
    return w;
  };
  while (widest(font) > room && font.pointSizeF() - 0.5 >= smallestPoint)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  label.setFont(font);
}

QStringList LongWeekdayNames() {
  return {QStringLiteral("Pazartesi"), QStringLiteral("Çarşamba"),  QStringLiteral("Perşembe"),
          QStringLiteral("Cumartesi"), QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
          QStringLiteral("Saturday")};
}

}  // namespace monitor
