#pragma once
// The step grid's cells: one row per step, the duration in column 0 and the code of
// signal group g in column g. The grid holds a copy of one record, so edits stay in
// the grid until they are stored, and showing another record drops them.

#include <QAbstractTableModel>
#include <QColor>
#include <vector>

#include "program/editor_model.h"

namespace program::editors {

class StepGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kDurationColumn = 0;
  static constexpr int kGroupColumns = 32;
  // The signal-state code of a group cell, the seconds of a duration cell.
  static constexpr int kValueRole = Qt::UserRole + 1;
  // True on the cells of the step a simulation plays.
  static constexpr int kPlayedRole = Qt::UserRole + 2;
  // Background of the waiting step's row header.
  static inline const QColor kWaitingStepColour{128, 0, 0};
  // Background of the played step's cells and row header.
  static inline const QColor kPlayedStepColour{255, 236, 140};

  explicit StepGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  // Shows steps 1 to `steps` of a record (PgmGroups layout); `waitingStep` (1 or
  // more) marks that step's row header.
  void Load(const RecordSteps& groups, int steps, int waitingStep);
  // Writes the shown steps back, columns 0 to 32 of each shown step.
  void Store(RecordSteps& groups) const;

  // Cell value by grid row (0 = step 1) and column; 0 outside the grid.
  int Value(int row, int column) const;
  // Whether a duration (0-255) or a group code (0-15) fits the cell.
  bool Fits(int row, int column, int value) const;
  int Steps() const { return m_steps; }
  // Marks the step a simulation shows (1 or more); 0 marks none.
  void SetPlayedStep(int step);
  int PlayedStep() const { return m_playedStep; }

  // Whole rows from step `firstStep` on, as far as the grid shows steps.
  std::vector<StepRow> Rows(std::size_t firstStep, std::size_t count) const;
  // Writes whole rows from step `firstStep` on; rows past the last shown step are
  // dropped. Returns how many were written.
  std::size_t SetRows(std::size_t firstStep, const std::vector<StepRow>& rows);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  RecordSteps m_rows{};  // index = step number
  int m_steps = 0;
  int m_waitingStep = 0;
  int m_playedStep = 0;
};

}  // namespace program::editors
