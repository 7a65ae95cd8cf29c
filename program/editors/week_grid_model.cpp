#include "program/editors/week_grid_model.h"

#include "program/week_entry_text.h"

namespace program::editors {

namespace {
bool InGrid(int entry, int day) {
  return entry >= 0 && entry < WeekGridModel::kEntries && day >= 0 && day < WeekGridModel::kDays;
}
}  // namespace

void WeekGridModel::SetDayNames(const QStringList& names) {
  m_dayNames = names;
  emit headerDataChanged(Qt::Horizontal, 0, kDays - 1);
}

void WeekGridModel::Load(const EditorModel& model) {
  beginResetModel();
  for (int e = 0; e < kEntries; ++e) {
    for (int d = 0; d < kDays; ++d) {
      m_cells[static_cast<std::size_t>(e)][static_cast<std::size_t>(d)] = ReadWeekEntry(model, d, e);
    }
  }
  endResetModel();
}

void WeekGridModel::Store(EditorModel& model) const {
  for (int e = 0; e < kEntries; ++e) {
    for (int d = 0; d < kDays; ++d) StoreWeekEntry(model, d, e, Entry(e, d));
  }
}

WeekEntry WeekGridModel::Entry(int entry, int day) const {
  if (!InGrid(entry, day)) return {};
  return m_cells[static_cast<std::size_t>(entry)][static_cast<std::size_t>(day)];
}

void WeekGridModel::SetEntry(int entry, int day, WeekEntry value) {
  if (!InGrid(entry, day)) return;
  WeekEntry& cell = m_cells[static_cast<std::size_t>(entry)][static_cast<std::size_t>(day)];
  if (!value.code) value.code = cell.code;
  if (cell == value) return;
  cell = value;
  const QModelIndex i = index(entry, day);
  emit dataChanged(i, i);
}

int WeekGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kEntries; }

int WeekGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kDays; }

QVariant WeekGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole)
    return QString::fromStdString(WeekCellText(Entry(index.row(), index.column())));
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

QVariant WeekGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return QString::number(section + 1);
  return section >= 0 && section < m_dayNames.size() ? m_dayNames[section] : QVariant();
}

}  // namespace program::editors
