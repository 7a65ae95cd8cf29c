// The step grid's cell handling: the duration box over a duration cell, the signal
// state of a group cell, the lamp preset window, the keys, and the edits that can be
// undone, copied and pasted.

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

#include "program/duration_text.h"
#include "program/editors/duration_box.h"
#include "program/editors/frozen_columns.h"
#include "program/editors/lamp_preset_dialog.h"
#include "program/editors/program_edit.h"
#include "program/editors/step_grid_model.h"
#include "program/signal_state.h"
#include "program/step_rows_text.h"

namespace program::editors {

namespace {
bool IsGroupCell(const QModelIndex& cell) {
  return cell.isValid() && cell.column() != StepGridModel::kDurationColumn;
}
bool IsDurationCell(const QModelIndex& cell) {
  return cell.isValid() && cell.column() == StepGridModel::kDurationColumn;
}
}  // namespace

void Program_EDIT::FreezeStepColumns() {
  m_frozen = new FrozenColumns(*m_MSFlexGrid1, StepGridModel::kDurationColumn + 1);
  connect(m_frozen, &QTableView::pressed, this, &Program_EDIT::StepCellPressed);
  connect(m_MSFlexGrid1->selectionModel(), &QItemSelectionModel::currentChanged, m_frozen,
          [this](const QModelIndex& current) { m_frozen->KeepInView(current.column()); });
}

void Program_EDIT::StepCurrentChanged(const QModelIndex& current, const QModelIndex& previous) {
  Q_UNUSED(previous);
  if (m_GridBusy) return;
  // The box writes into its own cell only, whichever cell the grid moves to.
  if (m_sureCell.isValid() && m_sureCell != current) {
    CommitDuration();
    HideDurationBox();
  }
  EnterStepCell(current);
}

void Program_EDIT::EnterStepCell(const QModelIndex& cell) {
  if (!cell.isValid()) return;
  m_currentRow = cell.row();
  m_currentColumn = cell.column();
  if (IsGroupCell(cell)) {
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
  OpenDurationBox(index, index.data().toString());
}

void Program_EDIT::OpenDurationBox(const QModelIndex& cell, const QString& text) {
  if (!IsDurationCell(cell) || !m_MSFlexGrid1->isEnabled()) return;
  m_sureCell = cell;
  if (m_frozen) {
    // The box lies in the grid itself: the frozen copy of its column steps aside
    // while it is open, the grid scrolled so that nothing seems to move.
    m_MSFlexGrid1->horizontalScrollBar()->setValue(0);
    m_frozen->hide();
  }
  m_TXT_Sure->setGeometry(m_MSFlexGrid1->visualRect(cell));
  m_TXT_Sure->setText(text);
  m_TXT_Sure->show();
  m_TXT_Sure->raise();
  m_TXT_Sure->setFocus();
  // The cell's own value is replaced by typing; a typed first digit is continued.
  if (text == cell.data().toString()) m_TXT_Sure->selectAll();
}

void Program_EDIT::DurationBoxKey(int key) {
  const QModelIndex cell = m_sureCell;
  if (key != Qt::Key_Escape) CommitDuration();
  HideDurationBox();
  m_MSFlexGrid1->setFocus();
  if (!cell.isValid()) return;
  int row = cell.row();
  int column = cell.column();
  if (key == Qt::Key_Up) --row;
  if (key == Qt::Key_Down) ++row;
  if (key == Qt::Key_Tab) ++column;
  const QModelIndex next = m_steps->index(row, column);
  if (!next.isValid()) return;
  m_MSFlexGrid1->setCurrentIndex(next);
  // Up and Down carry the edit on to the next step, with that step's own value.
  if (key == Qt::Key_Up || key == Qt::Key_Down) OpenDurationBox(next, next.data().toString());
}

void Program_EDIT::CommitDuration() {
  if (!m_sureCell.isValid()) return;
  if (const auto seconds = ParseDurationText(m_TXT_Sure->text().toStdString()))
    ChangeCell(m_sureCell, *seconds);
}

void Program_EDIT::HideDurationBox() {
  // Cleared first: hiding takes the focus away, and the box then reports it.
  m_sureCell = QPersistentModelIndex();
  m_TXT_Sure->hide();
  if (m_frozen) m_frozen->show();
}

void Program_EDIT::SetCellCode(const QModelIndex& cell, int code) {
  if (IsGroupCell(cell)) ChangeCell(cell, code);
}

void Program_EDIT::SetCellPicture(int code) { SetCellCode(m_MSFlexGrid1->currentIndex(), code); }

void Program_EDIT::ChangeCell(const QModelIndex& cell, int value) {
  if (!cell.isValid() || cell.model() != m_steps || !m_steps->Fits(cell.row(), cell.column(), value)) return;
  const auto step = static_cast<std::size_t>(cell.row()) + 1;
  std::vector<StepRow> rows = m_steps->Rows(step, 1);
  if (rows.empty()) return;
  rows[0][static_cast<std::size_t>(cell.column())] = static_cast<std::uint8_t>(value);
  ChangeRows(step, rows);
}

void Program_EDIT::ChangeRows(std::size_t firstStep, const std::vector<StepRow>& after) {
  std::vector<StepRow> before = m_steps->Rows(firstStep, after.size());
  std::vector<StepRow> taken(after.begin(), after.begin() + static_cast<std::ptrdiff_t>(before.size()));
  if (before == taken) return;
  m_steps->SetRows(firstStep, taken);
  m_history.Push({static_cast<std::size_t>(m_CurrentRecord), firstStep, std::move(before), std::move(taken)});
}

void Program_EDIT::ApplyHistoryRows(const StepRowsChange& change, bool undo) {
  ShowRecord(change.record);
  if (static_cast<std::size_t>(m_CurrentRecord) != change.record) return;
  const std::vector<StepRow>& rows = undo ? change.before : change.after;
  m_steps->SetRows(change.firstStep, rows);
  const QModelIndex first = m_steps->index(static_cast<int>(change.firstStep) - 1, m_currentColumn);
  m_MSFlexGrid1->setCurrentIndex(first);
  m_MSFlexGrid1->scrollTo(first);
}

void Program_EDIT::UndoStepEdit() {
  // An edit still open is made first, so that it is the one taken back.
  ReadGrid();
  if (const StepRowsChange* change = m_history.Undo()) ApplyHistoryRows(*change, true);
}

void Program_EDIT::RedoStepEdit() {
  ReadGrid();
  if (const StepRowsChange* change = m_history.Redo()) ApplyHistoryRows(*change, false);
}

std::pair<int, int> Program_EDIT::SelectedSteps() const {
  const QModelIndexList selected = m_MSFlexGrid1->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) {
    const int row = m_MSFlexGrid1->currentIndex().row();
    return {row, row};
  }
  int top = selected.front().row();
  int bottom = top;
  for (const QModelIndex& i : selected) {
    top = std::min(top, i.row());
    bottom = std::max(bottom, i.row());
  }
  return {top, bottom};
}

void Program_EDIT::CopySteps() {
  const auto [top, bottom] = SelectedSteps();
  if (top < 0) return;
  const std::vector<StepRow> rows =
      m_steps->Rows(static_cast<std::size_t>(top) + 1, static_cast<std::size_t>(bottom - top) + 1);
  QApplication::clipboard()->setText(QString::fromStdString(StepRowsText(rows)));
}

void Program_EDIT::PasteSteps() {
  const auto rows = ParseStepRowsText(QApplication::clipboard()->text().toStdString());
  const int at = SelectedSteps().first;
  if (!rows || at < 0) return;
  ReadGrid();
  ChangeRows(static_cast<std::size_t>(at) + 1, *rows);
  const int last = std::min(at + static_cast<int>(rows->size()), m_steps->Steps()) - 1;
  m_MSFlexGrid1->selectionModel()->select(
      QItemSelection(m_steps->index(at, 0), m_steps->index(last, StepGridModel::kGroupColumns)),
      QItemSelectionModel::ClearAndSelect);
}

bool Program_EDIT::StepGridKey(const QKeyEvent& key) {
  if (key.matches(QKeySequence::Undo)) {
    UndoStepEdit();
    return true;
  }
  if (key.matches(QKeySequence::Redo) || (key.key() == Qt::Key_Y && key.modifiers() == Qt::ControlModifier)) {
    RedoStepEdit();
    return true;
  }
  if (key.matches(QKeySequence::Copy)) {
    CopySteps();
    return true;
  }
  if (key.matches(QKeySequence::Paste)) {
    PasteSteps();
    return true;
  }
  const QModelIndex cell = m_MSFlexGrid1->currentIndex();
  if (!cell.isValid() || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  const QString text = key.text();
  const bool digit = text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
  if (IsDurationCell(cell)) {
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_F2) {
      OpenDurationBox(cell, cell.data().toString());
      return true;
    }
    if (digit) {
      OpenDurationBox(cell, text);
      return true;
    }
    return false;
  }
  // 0 to 4 are the steady states, whose codes are their own digits.
  if (digit && text[0] <= QLatin1Char('4')) {
    const int code = text[0].digitValue();
    SetCellCode(cell, code);
    m_CellStateCode = static_cast<std::int16_t>(code);
    return true;
  }
  if (key.key() == Qt::Key_Space) {
    OpenLampPreset();
    return true;
  }
  return false;
}

bool Program_EDIT::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_MSFlexGrid1 && event->type() == QEvent::KeyPress && m_MSFlexGrid1->isEnabled()) {
    if (StepGridKey(*static_cast<QKeyEvent*>(event))) return true;
  }
  return QWidget::eventFilter(watched, event);
}

void Program_EDIT::OpenLampPreset() {
  const QModelIndex cell = m_MSFlexGrid1->currentIndex();
  if (m_currentColumn == StepGridModel::kDurationColumn || !IsGroupCell(cell) ||
      !m_MSFlexGrid1->isEnabled()) {
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

Frm_Edit_Pre1* Program_EDIT::LampPreset() const {
  // A window that closed itself is gone for the user before Qt deletes it.
  return m_preset && m_preset->isVisible() ? m_preset.data() : nullptr;
}

void Program_EDIT::CloseLampPreset() {
  if (Frm_Edit_Pre1* preset = m_preset.data()) {
    m_preset = nullptr;
    preset->close();
  }
}

}  // namespace program::editors
