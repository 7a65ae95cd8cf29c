#pragma once
// The first columns of a table laid over it and kept in place while the rest scrolls
// sideways, so that the step grid's duration stays beside its step number whichever
// groups are in view. It shares the table's model, selection and painting; the table
// keeps the keyboard.

#include <QTableView>

namespace program::editors {

class FrozenColumns : public QTableView {
  Q_OBJECT
 public:
  // Lays the first `columns` columns of `table` over it, as its child.
  FrozenColumns(QTableView& table, int columns);

  // Scrolls the table so that `column` is not under the frozen ones.
  void KeepInView(int column);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Place();
  void HideTheRest();

  QTableView& m_table;
  int m_columns;
};

}  // namespace program::editors
