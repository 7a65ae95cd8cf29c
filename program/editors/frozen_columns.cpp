#include "program/editors/frozen_columns.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace program::editors {

FrozenColumns::FrozenColumns(QTableView& table, int columns)
    : QTableView(&table), m_table(table), m_columns(columns) {
  setObjectName(table.objectName() + QStringLiteral("_Frozen"));
  setModel(table.model());
  setSelectionModel(table.selectionModel());
  setItemDelegate(table.itemDelegate());
  setSelectionMode(table.selectionMode());
  setEditTriggers(NoEditTriggers);
  setWordWrap(false);
  setFocusPolicy(Qt::NoFocus);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setContextMenuPolicy(table.contextMenuPolicy());
  verticalHeader()->hide();

  QHeaderView* from = table.horizontalHeader();
  QHeaderView* to = horizontalHeader();
  to->setFont(from->font());
  to->setMinimumSectionSize(from->minimumSectionSize());
  to->setDefaultSectionSize(from->defaultSectionSize());
  to->setSectionResizeMode(QHeaderView::Fixed);
  to->setFixedHeight(from->height());
  to->setSectionsClickable(false);
  to->setDefaultAlignment(from->defaultAlignment());
  verticalHeader()->setMinimumSectionSize(table.verticalHeader()->minimumSectionSize());
  verticalHeader()->setDefaultSectionSize(table.verticalHeader()->defaultSectionSize());
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // A line between what stays and what scrolls.
  setStyleSheet(QStringLiteral("QTableView { border-right: 2px solid #606060; }"));

  HideTheRest();
  connect(table.model(), &QAbstractItemModel::modelReset, this, &FrozenColumns::HideTheRest);
  connect(verticalScrollBar(), &QAbstractSlider::valueChanged, table.verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(table.verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
          &QAbstractSlider::setValue);
  table.installEventFilter(this);
  table.viewport()->installEventFilter(this);
  Place();
  show();
}

void FrozenColumns::HideTheRest() {
  for (int c = 0; c < model()->columnCount(); ++c) setColumnHidden(c, c >= m_columns);
}

void FrozenColumns::Place() {
  int width = 0;
  for (int c = 0; c < m_columns; ++c) width += m_table.columnWidth(c);
  const int frame = m_table.frameWidth();
  setGeometry(m_table.verticalHeader()->width() + frame, frame, width + 2,
              m_table.viewport()->height() + m_table.horizontalHeader()->height());
  raise();
}

void FrozenColumns::KeepInView(int column) {
  // The table scrolls a column at a time: the first column in view hides under the
  // frozen ones.
  QScrollBar* bar = m_table.horizontalScrollBar();
  if (column >= m_columns && column - m_columns < bar->value()) bar->setValue(column - m_columns);
}

bool FrozenColumns::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize || event->type() == QEvent::Show) Place();
  return QTableView::eventFilter(watched, event);
}

}  // namespace program::editors
