#pragma once
// The weekly program table grid's cells: entry e of day d in row e and column d, held
// as entries and shown as their ten-character texts. Edits stay in the grid until
// they are stored.

#include <QAbstractTableModel>
#include <QStringList>
#include <array>

#include "program/editor_model.h"
#include "program/week_entry.h"

namespace program::editors {

class WeekGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kEntries = 16;
  static constexpr int kDays = 7;

  explicit WeekGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  // Column headers, day 0 first.
  void SetDayNames(const QStringList& names);
  void Load(const EditorModel& model);
  void Store(EditorModel& model) const;

  // The empty entry outside the grid.
  WeekEntry Entry(int entry, int day) const;
  // An entry without a code keeps the cell's code; outside the grid nothing changes.
  void SetEntry(int entry, int day, WeekEntry value);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::array<std::array<WeekEntry, kDays>, kEntries> m_cells;
  QStringList m_dayNames;
};

}  // namespace program::editors
