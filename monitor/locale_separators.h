#pragma once
// The PC's number separators as the panels' number texts need them.

#include <QLocale>

#include "link/number_text.h"

namespace monitor {

// The decimal and group separators of `locale`. The group separator is kept even
// where the locale's options omit it: the grouped formats ask for grouping.
bus::NumberSeparators SeparatorsOf(const QLocale& locale);

// The separators of the system's locale, read when called.
bus::NumberSeparators SystemSeparators();

}  // namespace monitor
