#pragma once
// Program_EDIT, the program editor window: the step grid of one program record, the
// weekly program table, the project description and the controller parameters, with
// the save that packs them into the ProgramImage and the simulation on the lamp
// panel. Edits live in the window's controls until the save; the window changes only
// the editor model, and the ProgramImage only at the save.

#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "link/link_state.h"
#include "program/editor_model.h"
#include "program/program_image.h"
#include "program/program_simulation.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
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
class Frm_Edit_Pre1;
class ParametersPage;
class StepGridModel;
class WeekGridModel;
class Zaman_tablo_edit1;

class Program_EDIT : public QWidget {
  Q_OBJECT

 public:
  // Combo1's entries: records 0 to 10, then the detector application's phases.
  static constexpr int kDetectorEntry = 11;
  static constexpr int kShownSteps = 98;
  enum Tab { kTanimlamalar = 0, kParametreler = 1, kProgramlar = 2, kHaftalik = 3 };

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

  // Save: every control into the model, then the model into the ProgramImage.
  void DegisiklikleriKaydet();
  // Chooses entry i of the program list (2 = "Program1") as the user would; edits not
  // yet saved are dropped. An entry outside the list changes nothing.
  void SelectRecord(int comboIndex);
  void SelectPhase(int phaseIndex);  // 0 = "FAZ 01"; only while the detector entry is chosen

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

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildProgramTab(QWidget* page);
  void BuildWeekTab(QWidget* page);
  void BuildButtons();
  void Combo1Click(int index);
  void Combo2Click(int index);
  void StoreWaitingStep();

  // Step grid cell handling (program_edit_step_grid.cpp).
  void StepCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
  void StepCellPressed(const QModelIndex& index);
  void LeaveStepCell(const QModelIndex& cell);
  void EnterStepCell(const QModelIndex& cell);
  void CommitDuration();
  void HideDurationBox();
  void CloseLampPreset();
  void SetCellCode(const QModelIndex& cell, int code);

  // Weekly grid cell handling (program_edit_week_grid.cpp).
  void WeekCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
  void WeekCellPressed(const QModelIndex& index);
  void PlaceTimeEntry(const QModelIndex& index);

  // The simulation's end: a lamp panel that the simulation opened goes with it.
  void EndSimulation();

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
  // The waiting step and time as loaded: a value beyond a spinner's range is stored
  // back unchanged unless the user sets the spinner.
  std::array<int, 2> m_loadedWaiting{};

  QTabWidget* m_SSTab1 = nullptr;
  QComboBox* m_Combo1 = nullptr;
  QGroupBox* m_Frm_Ded_Pgm = nullptr;
  QComboBox* m_Combo2 = nullptr;
  QLineEdit* m_Text1 = nullptr;
  QTableView* m_MSFlexGrid1 = nullptr;
  StepGridModel* m_steps = nullptr;
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
};

}  // namespace program::editors
