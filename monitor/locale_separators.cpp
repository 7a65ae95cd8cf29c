#include "monitor/locale_separators.h"

namespace monitor {

bus::NumberSeparators SeparatorsOf(const QLocale& locale) {
  return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

bus::NumberSeparators SystemSeparators() { return SeparatorsOf(QLocale::system()); }

}  // namespace monitor
