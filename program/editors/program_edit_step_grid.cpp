// The step grid's cell handling: the duration box over a duration cell, the signal
// state of a group cell and the lamp preset window.

#include <QHeaderView>
#include <QTableView>

#include "program/duration_text.h"
#include "program/editors/duration_box.h"
#include "program/editors/lamp_preset_dialog.h"
#include "program/editors/program_edit.h"
#include "program/editors/step_grid_model.h"

namespace program::editors {

namespace {
bool IsGroupCell(const QModelIndex& cell) {
  return cell.isValid() && cell.column() != StepGridModel::kDurationColumn;
}
bool IsDurationCell(const QModelIndex& cell) {
  return cell.isValid() && cell.column() == StepGridModel::kDurationColumn;
}
}  // namespace

void Program_EDIT::StepCurrentChanged(const QModelIndex& current, const QModelIndex& previous) {
  if (m_GridBusy) return;
  LeaveStepCell(previous);
  EnterStepCell(current);
}

void Program_EDIT::LeaveStepCell(const QModelIndex& cell) {
  if (IsDurationCell(cell)) {
    if (const auto seconds = ParseDurationText(m_TXT_Sure->text().toStdString())) {
      m_steps->SetValue(cell.row(), cell.column(), *seconds);
    }
  } else if (IsGroupCell(cell)) {
    SetCellCode(cell, m_CellStateCode);
  }
}

void Program_EDIT::EnterStepCell(const QModelIndex& cell) {
  if (IsDurationCell(cell)) {
    m_TXT_Sure->setText(cell.data().toString());
  } else if (IsGroupCell(cell)) {
    // The window writes its choice as it closes; only then does the shared code move
    // on to the entered cell.
    CloseLampPreset();
    m_CellStateCode = static_cast<std::int16_t>(cell.data(StepGridModel::kValueRole).toInt());
  }
}

void Program_EDIT::StepCellPressed(const QModelIndex& index) {
  if (!index.isValid()) return;
  m_currentRow = index.row();
  m_currentColumn = index.column();
  if (!IsDurationCell(index)) {
    HideDurationBox();
    return;
  }
  m_TXT_Sure->setGeometry(m_MSFlexGrid1->visualRect(index));
  m_sureCell = index;
  m_TXT_Sure->show();
  m_TXT_Sure->raise();
  m_TXT_Sure->setFocus();
  m_TXT_Sure->selectAll();
}

void Program_EDIT::CommitDuration() {
  if (!m_sureCell.isValid()) return;
  if (const auto seconds = ParseDurationText(m_TXT_Sure->text().toStdString())) {
    m_steps->SetValue(m_sureCell.row(), m_sureCell.column(), *seconds);
  }
}

void Program_EDIT::HideDurationBox() {
  // Cleared first: hiding takes the focus away, and the box then reports it.
  m_sureCell = QPersistentModelIndex();
  m_TXT_Sure->hide();
}

void Program_EDIT::SetCellCode(const QModelIndex& cell, int code) {
  if (!IsGroupCell(cell) || cell.model() != m_steps) return;
  m_steps->SetValue(cell.row(), cell.column(), code);
}

void Program_EDIT::SetCellPicture(int code) { SetCellCode(m_MSFlexGrid1->currentIndex(), code); }

void Program_EDIT::OpenLampPreset() {
  const QModelIndex cell = m_MSFlexGrid1->currentIndex();
  if (m_currentColumn == StepGridModel::kDurationColumn || !IsGroupCell(cell) || !m_MSFlexGrid1->isEnabled()) {
    return;
  }
  CloseLampPreset();
  // The window writes into the cell it was opened for, whatever cell is current when
  // it closes.
  const QPersistentModelIndex target(cell);
  auto* preset = new Frm_Edit_Pre1(
      m_CellStateCode, m_presetBlinkPhase, [this, target](int code) { SetCellCode(target, code); }, this);
  preset->setAttribute(Qt::WA_DeleteOnClose);
  preset->move(m_MSFlexGrid1->viewport()->mapToGlobal(m_MSFlexGrid1->visualRect(cell).topLeft()));
  m_preset = preset;
  preset->show();
  preset->activateWindow();
}

Frm_Edit_Pre1* Program_EDIT::LampPreset() const { return m_preset.data(); }

void Program_EDIT::CloseLampPreset() {
  if (Frm_Edit_Pre1* preset = m_preset.data()) {
    m_preset = nullptr;
    preset->close();
  }
}

}  // namespace program::editors
