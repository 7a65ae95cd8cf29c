#pragma once
// The weekly program table grid's cells: entry e of day d in row e and column d, each
// as its ten-character text. Edits stay in the grid's texts until they are stored.

#include <QAbstractTableModel>
#include <QStringList>
#include <array>

#include "program/editor_model.h"

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

  QString CellText(int entry, int day) const;
  void SetCellText(int entry, int day, const QString& text);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::array<std::array<QString, kDays>, kEntries> m_cells;
  QStringList m_dayNames;
};

}  // namespace program::editors
