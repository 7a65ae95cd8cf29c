#include "monitor/twip_label.h"

#include "monitor/back_colour.h"
#include "monitor/twips.h"

namespace monitor {

QLabel* AddTwipLabel(QWidget& parent, const QString& objectName, const QString& caption,
                     TwipBox box, Qt::Alignment alignment) {
  auto* label = new QLabel(caption, &parent);
  label->setObjectName(objectName);
  label->setAlignment(alignment);
  label->setTextFormat(Qt::PlainText);
  PlaceTwips(*label, parent, box.left, box.top, box.width, box.height);
  return label;
}

QLabel* AddTwipIndicator(QWidget& parent, const QString& objectName, const QString& caption,
                         TwipBox box) {
  QLabel* label = AddTwipLabel(parent, objectName, caption, box, Qt::AlignCenter);
  label->setFrameShape(QFrame::Box);
  label->setLineWidth(1);
  SetBackColour(*label, bus::kWhite);
  return label;
}

QString IndexedName(const char* name, int index) {
  return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

}  // namespace monitor
