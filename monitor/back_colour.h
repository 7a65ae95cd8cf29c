#pragma once
// Back colours of labels and indicator shapes. The colour lives in the widget's
// palette (Window role, background filled), which is what the widget paints and what
// anyone inspecting the widget reads.

#include <QColor>
#include <QWidget>

#include "link/link_display.h"

namespace monitor {

inline QColor ToQColor(bus::Rgb rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// Sets the back colour; a widget already in that colour is left alone, so an
// unchanged refresh costs no palette change and no repaint.
void SetBackColour(QWidget& widget, const QColor& colour);
inline void SetBackColour(QWidget& widget, bus::Rgb rgb) { SetBackColour(widget, ToQColor(rgb)); }

QColor BackColour(const QWidget& widget);

}  // namespace monitor
