#pragma once
// Labels placed at twip positions, the building block of the status panels.

#include <QLabel>
#include <QString>

namespace monitor {

struct TwipBox {
  int left, top, width, height;
};

// A label child of `parent` named `objectName`, showing `caption`, at `box` (twips).
QLabel* AddTwipLabel(QWidget& parent, const QString& objectName, const QString& caption,
                     TwipBox box, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// The same as an indicator: centred caption in a thin box, white until told otherwise.
QLabel* AddTwipIndicator(QWidget& parent, const QString& objectName, const QString& caption,
                         TwipBox box);

// "Name(i)", the name of element i of an indexed array of controls.
QString IndexedName(const char* name, int index);

}  // namespace monitor
