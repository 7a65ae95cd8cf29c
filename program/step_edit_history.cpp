#include "program/step_edit_history.h"

#include <algorithm>
#include <utility>

namespace program {

void StepEditHistory::Push(StepRowsChange change) {
  if (change.before == change.after) return;
  m_changes.resize(m_done);
  m_changes.push_back(std::move(change));
  if (m_changes.size() > kMaxChanges) m_changes.erase(m_changes.begin());
  m_done = m_changes.size();
}

const StepRowsChange* StepEditHistory::Undo() {
  if (!CanUndo()) return nullptr;
  return &m_changes[--m_done];
}

const StepRowsChange* StepEditHistory::Redo() {
  if (!CanRedo()) return nullptr;
  return &m_changes[m_done++];
}

void StepEditHistory::Clear() {
  m_changes.clear();
  m_done = 0;
}

std::vector<StepRow> StepRowsOf(const RecordSteps& steps, std::size_t firstStep, std::size_t count) {
  std::vector<StepRow> rows;
  for (std::size_t s = firstStep; s < firstStep + count && s < steps.size(); ++s) rows.push_back(steps[s]);
  return rows;
}

std::size_t WriteStepRows(RecordSteps& steps, std::size_t firstStep, const std::vector<StepRow>& rows,
                          std::size_t lastStep) {
  const std::size_t last = std::min(lastStep, steps.size() - 1);
  std::size_t written = 0;
  for (std::size_t s = firstStep; s <= last && written < rows.size(); ++s) steps[s] = rows[written++];
  return written;
}

}  // namespace program
