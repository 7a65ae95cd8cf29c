#pragma once
// Makes a label's font small enough that the longest of the texts it can show fits its
// width whole, so that the panels' fixed layout never cuts a word off.

#include <QStringList>

class QWidget;

namespace monitor {

// Shrinks `label`'s font in half points, down to `smallestPoint`, until each sample
// fits inside its contents width.
void FitFontToTexts(QWidget& label, const QStringList& samples, double smallestPoint = 6.0);

// The longest weekday names a controller clock text can end in, in Turkish and English.
QStringList LongWeekdayNames();

}  // namespace monitor
