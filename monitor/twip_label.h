#pragma once
// Labels placed at twip positions, the building block of the status panels.

#include <QLabel>
#include <QString>

#include "monitor/status_label.h"

namespace monitor {

struct TwipBox {
  int left, top, width, height;
};

// A label child of `parent` named `objectName`, showing `caption`, at `box` (twips).
QLabel* AddTwipLabel(QWidget& parent, const QString& objectName, const QString& caption, TwipBox box,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// A label that shows a state by its back colour, white until told otherwise; `framed`
// draws a thin box around it, as for the fault letters and indicator shapes.
StatusLabel* AddTwipIndicator(QWidget& parent, const QString& objectName, const QString& caption, TwipBox box,
                              bool framed = true);

// "Name(i)", the name of element i of an indexed array of controls.
QString IndexedName(const char* name, int index);

}  // namespace monitor
