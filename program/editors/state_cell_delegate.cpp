#include "program/editors/state_cell_delegate.h"

#include <QPainter>

#include "program/editors/state_picture.h"
#include "program/editors/step_grid_model.h"

namespace program::editors {

void StateCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  const QRect cell = option.rect;
  painter->fillRect(cell, Qt::white);
  const int value = index.data(StepGridModel::kValueRole).toInt();
  const bool group = index.column() != StepGridModel::kDurationColumn;
  if (group && StatePictureIndex(value) >= 0) {
    PaintStatePicture(*painter, cell, value);
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
