#pragma once
// Paints the step grid's cells: the picture of a signal-state code in a group cell,
// the number for a duration, a hatched cell with its number for a code without a
// picture (one the editor never sets, such as red and green together), the step a
// simulation plays on a tinted ground, and a frame around the current cell in place
// of the selection colour, which would hide the picture.

#include <QColor>
#include <QStyledItemDelegate>

namespace program::editors {

class StateCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // The hatching of a cell whose code has no picture.
  static inline const QColor kOddCodeHatch{200, 0, 200};

  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace program::editors
