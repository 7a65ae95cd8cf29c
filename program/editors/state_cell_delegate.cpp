#include "program/editors/state_cell_delegate.h"

#include <QPainter>

#include "program/editors/state_picture.h"
#include "program/editors/step_grid_model.h"

namespace program::editors {

void StateCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  const QRect cell = option.rect;
  const bool played = index.data(StepGridModel::kPlayedRole).toBool();
  painter->fillRect(cell, played ? StepGridModel::kPlayedStepColour : QColor(Qt::white));
  const int value = index.data(StepGridModel::kValueRole).toInt();
  const bool group = index.column() != StepGridModel::kDurationColumn;
  if (group && StatePictureIndex(value) >= 0) {
    PaintStatePicture(*painter, cell, value);
  } else if (group) {
    painter->save();
    painter->fillRect(cell.adjusted(2, 2, -2, -2), QBrush(kOddCodeHatch, Qt::BDiagPattern));
    QFont bold = painter->font();
    bold.setBold(true);
    painter->setFont(bold);
    painter->setPen(Qt::black);
    const QString number = index.data(Qt::DisplayRole).toString();
    const QRect box = painter->fontMetrics().boundingRect(number).adjusted(-2, 0, 2, 0);
    QRect label(QPoint(0, 0), box.size());
    label.moveCenter(cell.center());
    painter->fillRect(label, Qt::white);
    painter->drawText(label, Qt::AlignCenter, number);
    painter->restore();
  } else {
    painter->setPen(Qt::black);
    painter->drawText(cell, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
  }
  if (option.state & (QStyle::State_HasFocus | QStyle::State_Selected)) {
    painter->save();
    painter->setPen(QPen(QColor(0, 0, 160), 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(cell.adjusted(1, 1, -1, -1));
    painter->restore();
  }
}

}  // namespace program::editors
