#pragma once
// Undo and redo of the step grid's edits: each change is a run of whole step rows of
// one record as they were before and after it, so a cell, a pasted block and a
// cleared program are taken back alike.

#include <cstddef>
#include <vector>

#include "program/editor_model.h"

namespace program {

struct StepRowsChange {
  std::size_t record = 0;
  std::size_t firstStep = 1;  // step number of the first row
  std::vector<StepRow> before;
  std::vector<StepRow> after;
};

class StepEditHistory {
 public:
  // Enough for a working session; the oldest changes go first beyond it.
  static constexpr std::size_t kMaxChanges = 500;

  // Keeps a change that changes something, dropping whatever had been undone.
  void Push(StepRowsChange change);
  // The change to take back (write its `before` rows), or null when there is none.
  const StepRowsChange* Undo();
  // The change to make again (write its `after` rows), or null when there is none.
  const StepRowsChange* Redo();
  void Clear();
  bool CanUndo() const { return m_done > 0; }
  bool CanRedo() const { return m_done < m_changes.size(); }

 private:
  std::vector<StepRowsChange> m_changes;
  std::size_t m_done = 0;  // changes in effect, from the front
};

// The rows of steps first .. first + count - 1, as far as the record has them.
std::vector<StepRow> StepRowsOf(const RecordSteps& steps, std::size_t firstStep, std::size_t count);

// Writes the rows from step `firstStep` on; rows that would pass the last step the
// record holds (`lastStep`) are dropped. Returns how many were written.
std::size_t WriteStepRows(RecordSteps& steps, std::size_t firstStep, const std::vector<StepRow>& rows,
                          std::size_t lastStep);

}  // namespace program
