#include "program/editors/step_grid_model.h"

#include <QColor>
#include <algorithm>

#include "program/step_edit_history.h"

namespace program::editors {

void StepGridModel::Load(const RecordSteps& groups, int steps, int waitingStep) {
  beginResetModel();
  m_rows = groups;
  m_steps = std::clamp(steps, 0, static_cast<int>(kStepCount) - 1);
  m_waitingStep = waitingStep;
  endResetModel();
}

void StepGridModel::Store(RecordSteps& groups) const {
  for (int s = 1; s <= m_steps; ++s) {
    const auto step = static_cast<std::size_t>(s);
    for (int c = 0; c <= kGroupColumns; ++c)
      groups[step][static_cast<std::size_t>(c)] = m_rows[step][static_cast<std::size_t>(c)];
  }
}

int StepGridModel::Value(int row, int column) const {
  if (row < 0 || row >= m_steps || column < 0 || column > kGroupColumns) return 0;
  return m_rows[static_cast<std::size_t>(row) + 1][static_cast<std::size_t>(column)];
}

bool StepGridModel::Fits(int row, int column, int value) const {
  if (row < 0 || row >= m_steps || column < 0 || column > kGroupColumns) return false;
  const int limit = column == kDurationColumn ? 255 : 15;
  return value >= 0 && value <= limit;
}

std::vector<StepRow> StepGridModel::Rows(std::size_t firstStep, std::size_t count) const {
  const auto shown = static_cast<std::size_t>(m_steps);
  if (firstStep < 1 || firstStep > shown) return {};
  return StepRowsOf(m_rows, firstStep, std::min(count, shown - firstStep + 1));
}

std::size_t StepGridModel::SetRows(std::size_t firstStep, const std::vector<StepRow>& rows) {
  if (firstStep < 1) return 0;
  const std::size_t written = WriteStepRows(m_rows, firstStep, rows, static_cast<std::size_t>(m_steps));
  if (written > 0) {
    const int top = static_cast<int>(firstStep) - 1;
    emit dataChanged(index(top, 0), index(top + static_cast<int>(written) - 1, kGroupColumns));
  }
  return written;
}

void StepGridModel::SetPlayedStep(int step) {
  if (step == m_playedStep) return;
  const int before = m_playedStep;
  m_playedStep = step;
  for (const int s : {before, step}) {
    if (s < 1 || s > m_steps) continue;
    emit dataChanged(index(s - 1, 0), index(s - 1, kGroupColumns), {kPlayedRole});
    emit headerDataChanged(Qt::Vertical, s - 1, s - 1);
  }
}

int StepGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_steps; }

int StepGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kGroupColumns + 1;
}

QVariant StepGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int value = Value(index.row(), index.column());
  switch (role) {
    case Qt::DisplayRole: return QString::number(value);
    case kValueRole: return value;
    case kPlayedRole: return m_playedStep >= 1 && index.row() + 1 == m_playedStep;
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    default: return {};
  }
}

QVariant StepGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    if (role == Qt::DisplayRole) return QStringLiteral("Adim: %1").arg(section + 1);
    const bool waiting = m_waitingStep >= 1 && section + 1 == m_waitingStep;
    const bool played = m_playedStep >= 1 && section + 1 == m_playedStep;
    if (role == Qt::BackgroundRole && waiting) return kWaitingStepColour;
    if (role == Qt::ForegroundRole && waiting) return QColor(Qt::white);
    if (role == Qt::BackgroundRole && played) return kPlayedStepColour;
    return {};
  }
  if (role != Qt::DisplayRole) return {};
  if (section == kDurationColumn) return QStringLiteral("Süre (sn)");
  return QStringLiteral("Grup-%1").arg(section);
}

}  // namespace program::editors
