#pragma once
// Paints the step grid's cells: the picture of a signal-state code in a group cell,
// the number for a duration and for a code without a picture, and a frame around the
// current cell in place of the selection colour, which would hide the picture.

#include <QStyledItemDelegate>

namespace program::editors {

class StateCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace program::editors
