#include "monitor/locale_separators.h"

namespace monitor {

NumberSeparators SeparatorsOf(const QLocale& locale) {
  return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

NumberSeparators SystemSeparators() { return SeparatorsOf(QLocale::system()); }

}  // namespace monitor
