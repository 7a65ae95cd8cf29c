#include "monitor/twip_label.h"

#include "monitor/twips.h"

namespace monitor {

QLabel* AddTwipLabel(QWidget& parent, const QString& objectName, const QString& caption, TwipBox box,
                     Qt::Alignment alignment) {
  auto* label = new QLabel(caption, &parent);
  label->setObjectName(objectName);
  label->setAlignment(alignment);
  label->setTextFormat(Qt::PlainText);
  PlaceTwips(*label, parent, box.left, box.top, box.width, box.height);
  return label;
}

StatusLabel* AddTwipIndicator(QWidget& parent, const QString& objectName, const QString& caption, TwipBox box,
                              bool framed) {
  auto* label = new StatusLabel(caption, &parent);
  label->setObjectName(objectName);
  label->setAlignment(Qt::AlignCenter);
  label->setTextFormat(Qt::PlainText);
  if (framed) label->setFrameShape(QFrame::Box);
  PlaceTwips(*label, parent, box.left, box.top, box.width, box.height);
  return label;
}

QString IndexedName(const char* name, int index) {
  return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

}  // namespace monitor
