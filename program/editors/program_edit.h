#pragma once
// Program_EDIT, the program editor window: the step grid of one program record, the
// weekly program table, the project description and the controller parameters, with
// the save that packs them into the ProgramImage and the simulation on the lamp
// panel. Edits live in the window's controls until the save; the window changes only
// the editor model, and the ProgramImage only at the save. Step edits can be undone
// until the save.

#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "link/link_state.h"
#include "program/editor_model.h"
#include "program/junction_data.h"
#include "program/program_image.h"
#include "program/program_simulation.h"
#include "program/step_edit_history.h"

class QComboBox;
class QKeyEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;
class QTimer;

namespace monitor {
class Lamp_panel;
}

namespace program::editors {

class DescriptionPage;
class DurationBox;
class JunctionPage;
class Frm_Edit_Pre1;
class FrozenColumns;
class ParametersPage;
class SignalPlanPane;
class StepGridModel;
class WeekGridModel;
class Zaman_tablo_edit1;

class Program_EDIT : public QWidget {
  Q_OBJECT

 public:
  // Combo1's entries: records 0 to 10, then the detector application's phases.
  static constexpr int kDetectorEntry = 11;
  static constexpr int kShownSteps = 98;
  enum Tab { kTanimlamalar = 0, kParametreler = 1, kProgramlar = 2, kHaftalik = 3, kKavsak = 4 };

  // The tables outlive the window. ProjectPath goes into the caption.
  Program_EDIT(EditorModel& model, ProgramImage& image, bus::ViewFlags& flags, const QString& ProjectPath,
               QWidget* parent = nullptr);
  ~Program_EDIT() override;

  // Supplied by the main window. LampPanel(true) shows the lamp panel, creating it
  // when needed, and returns it; LampPanel(false) returns the open one or null.
  std::function<monitor::Lamp_panel*(bool show)> LampPanel;
  std::function<void()> CloseLampPanel;
  // Shows the buffer window; "Hafızayı Göster" runs it after its save.
  std::function<void()> ShowBuffer;
  // Asked when the window is about to close; false keeps it open (its changes would
  // be lost and the user chose to stay).
  std::function<bool()> ConfirmClose;

  // Save: every control into the model, then the model into the ProgramImage. The
  // grid's undo history ends here.
  void DegisiklikleriKaydet();
  // Whether the controls or the model hold edits the last save did not store.
  bool HasUnstoredChanges() const;
  // The ProgramImage as a save would leave it, without saving: for a recovery copy.
  void PendingImage(ProgramImage& out) const;

  // Chooses entry i of the program list (2 = "Program1") as the user would; the edits
  // of the program shown so far stay in the model. An entry outside the list changes
  // nothing.
  void SelectRecord(int comboIndex);
  void SelectPhase(int phaseIndex);  // 0 = "FAZ 01"; only while the detector entry is chosen

  // The step grid's edit commands (Ctrl+Z, Ctrl+Y, Ctrl+C, Ctrl+V on the grid). Copy
  // takes the whole rows of the selection, paste writes them from the current row on.
  void UndoStepEdit();
  void RedoStepEdit();
  void CopySteps();
  void PasteSteps();

  void ShowProgram();
  void ReadGrid();
  // The code into the step grid's current group cell.
  void SetCellPicture(int code);
  void InitWeekGrid();
  void ShowWeekTable();
  void ReadWeekTable();
  void ShowParameters();

  void TemizleClick();
  void SimulasyonClick();
  void HafizayiGosterClick();
  // The 500 ms tick of Timer1: the status line, the controls' enabled state and, while
  // a simulation runs, the lamps.
  void Timer1Tick();
  // Right-button click on the step grid's current cell.
  void OpenLampPreset();

  int CurrentRecord() const { return m_CurrentRecord; }
  std::int16_t CellStateCode() const { return m_CellStateCode; }
  const ProgramSimulation& Simulation() const { return m_sim; }
  Frm_Edit_Pre1* LampPreset() const;

  // The junction's group names, conflicts and limits, which the plan, the warnings
  // and the junction tab use; the editor keeps defaults of its own until given the
  // project's, which must outlive it.
  void SetJunction(JunctionData& junction);
  // The shown program's plan and warnings again, from the grid as it is now. Grid
  // changes ask for it themselves, to be done once the event loop turns.
  void RefreshPlan();

 signals:
  // What the user should read in the main window's status bar (an export written or
  // refused, ...).
  void statusMessage(const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildProgramTab(QWidget* page);
  void BuildWeekTab(QWidget* page);
  void BuildButtons();
  void Combo1Click(int index);
  void Combo2Click(int index);
  // Before another program is shown: the shown one's edits go into the model.
  void KeepShownEdits();
  // Shows record X wherever it sits in the two lists.
  void ShowRecord(std::size_t record);
  // Controls and model into `into` as the save stores them, touching no control.
  void StoreControls(EditorModel& into) const;
  void StoreWaitingStep(EditorModel& into) const;

  // Step grid cell handling (program_edit_step_grid.cpp).
  // Keeps the duration column in view while the groups scroll sideways.
  void FreezeStepColumns();
  void StepCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
  void StepCellPressed(const QModelIndex& index);
  void EnterStepCell(const QModelIndex& cell);
  // Lays the duration box over a duration cell with the text given and focuses it.
  void OpenDurationBox(const QModelIndex& cell, const QString& text);
  // Up, Down, Tab, Backtab, Return or Escape in the duration box.
  void DurationBoxKey(int key);
  void CommitDuration();
  void HideDurationBox();
  void CloseLampPreset();
  void SetCellCode(const QModelIndex& cell, int code);
  // The grid's own keys; true when handled.
  bool StepGridKey(const QKeyEvent& key);
  // Every edit of the grid's steps goes through here, so it can be undone.
  void ChangeRows(std::size_t firstStep, const std::vector<StepRow>& after);
  void ChangeCell(const QModelIndex& cell, int value);
  void ApplyHistoryRows(const StepRowsChange& change, bool undo);
  // The first and last grid rows of the selection, or the current row twice.
  std::pair<int, int> SelectedSteps() const;

  // Weekly grid cell handling (program_edit_week_grid.cpp).
  void WeekCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
  void WeekCellPressed(const QModelIndex& index);
  void PlaceTimeEntry(const QModelIndex& index);

  // The simulation's end: a lamp panel that the simulation opened goes with it.
  void EndSimulation();

  // The grid beside its warnings, over the signal plan (program_edit_plan.cpp).
  QWidget* BuildPlanArea(QWidget* page);
  QWidget* BuildJunctionPage();
  void WarningClicked(QListWidgetItem* item);

  EditorModel& m_model;
  ProgramImage& m_image;
  bus::ViewFlags& m_flags;

  int m_CurrentRecord = 2;
  bool m_GridBusy = false;
  bool m_EditorLoaded = false;
  int m_currentRow = 0;
  int m_currentColumn = 0;
  std::int16_t m_CellStateCode = 0;
  bool m_BlinkPhase = false;
  bool m_presetBlinkPhase = false;
  ProgramSimulation m_sim;
  bool m_simOpenedPanel = false;
  StepEditHistory m_history;
  // The model as the controls stored it at the last save (or at opening): what
  // HasUnstoredChanges compares with.
  std::unique_ptr<EditorModel> m_baseline;

  QTabWidget* m_SSTab1 = nullptr;
  QComboBox* m_Combo1 = nullptr;
  QGroupBox* m_Frm_Ded_Pgm = nullptr;
  QComboBox* m_Combo2 = nullptr;
  QLineEdit* m_Text1 = nullptr;
  QTableView* m_MSFlexGrid1 = nullptr;
  StepGridModel* m_steps = nullptr;
  FrozenColumns* m_frozen = nullptr;
  DurationBox* m_TXT_Sure = nullptr;
  QPersistentModelIndex m_sureCell;
  QSpinBox* m_UpDown_BeklemeAdimi = nullptr;
  QSpinBox* m_UpDown_BeklemeSuresi = nullptr;
  QTableView* m_MSFlexGrid2 = nullptr;
  WeekGridModel* m_week = nullptr;
  Zaman_tablo_edit1* m_ZTE_1 = nullptr;
  DescriptionPage* m_description = nullptr;
  ParametersPage* m_parameters = nullptr;
  QPushButton* m_BTN_Temizle = nullptr;
  QPushButton* m_BTN_Kaydet = nullptr;
  QPushButton* m_BTN_HafizayiGoster = nullptr;
  QPushButton* m_BTN_Simulasyon = nullptr;
  QPushButton* m_BTN_CPU_PC = nullptr;
  QPushButton* m_BTN_PC_CPU = nullptr;
  QLabel* m_Label2 = nullptr;
  QLineEdit* m_Text2 = nullptr;
  QTimer* m_Timer1 = nullptr;
  QPointer<Frm_Edit_Pre1> m_preset;
  QString m_projectPath;
  JunctionData m_ownJunction;
  JunctionData* m_junction = &m_ownJunction;
  SignalPlanPane* m_plan = nullptr;
  // Grid changes come in bursts (a program shown, a paste, a save): one refresh after
  // them, at the next turn of the event loop.
  QTimer* m_planRefresh = nullptr;
  JunctionPage* m_junctionPage = nullptr;
  QListWidget* m_LST_Uyarilar = nullptr;
};

}  // namespace program::editors
