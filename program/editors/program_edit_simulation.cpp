// The editor's 500 ms timer: the status line and, while a simulation runs, the play
// of the shown program on the lamp panel.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include <algorithm>

#include "monitor/lamp_panel.h"
#include "program/editors/program_edit.h"
#include "program/editors/step_grid_model.h"

namespace program::editors {

void Program_EDIT::SimulasyonClick() {
  ReadGrid();
  m_flags.SimActive = !m_flags.SimActive;
  RestartSimulation(m_sim, m_CurrentRecord);
}

void Program_EDIT::Timer1Tick() {
  m_BlinkPhase = !m_BlinkPhase;
  const bool running = m_flags.SimActive;
  for (QWidget* w : {static_cast<QWidget*>(m_Combo1), static_cast<QWidget*>(m_Text1),
                     static_cast<QWidget*>(m_MSFlexGrid1), static_cast<QWidget*>(m_Frm_Ded_Pgm)}) {
    w->setEnabled(!running);
  }
  if (!running) {
    // A lamp panel opened for the live lamps stays; only the simulation's own goes.
    EndSimulation();
    m_steps->SetPlayedStep(0);
    m_Label2->setText(QString::fromStdString(ProgrammingStatusText(m_CurrentRecord)));
    return;
  }

  // Shown once, when the simulation starts: showing it on every tick would take the
  // keyboard from the editor twice a second.
  monitor::Lamp_panel* panel = nullptr;
  if (LampPanel) {
    panel = LampPanel(false);
    if (!panel) {
      m_simOpenedPanel = true;
      panel = LampPanel(true);
    }
  }
  SimulationTick(m_sim, m_model, m_BlinkPhase);
  m_Label2->setText(QString::fromStdString(SimulationStatusText(m_sim)));
  if (m_sim.SimStep != m_steps->PlayedStep()) {
    m_steps->SetPlayedStep(m_sim.SimStep);
    // In view, in whatever groups are shown.
    const int column = std::max(1, m_MSFlexGrid1->columnAt(m_MSFlexGrid1->viewport()->width() / 2));
    m_MSFlexGrid1->scrollTo(m_steps->index(m_sim.SimStep - 1, column));
  }
  m_flags.LampStatesDirty = true;
  if (panel) {
    std::array<std::int16_t, monitor::Lamp_panel::kLamps> states{};
    for (std::size_t g = 1; g <= states.size(); ++g) states[g - 1] = m_sim.LampStates[g];
    panel->SetLampStates(states);
    m_flags.LampStatesDirty = false;
  }
}

void Program_EDIT::EndSimulation() {
  m_flags.SimActive = false;
  if (m_simOpenedPanel) {
    m_simOpenedPanel = false;
    if (CloseLampPanel) CloseLampPanel();
  }
}

}  // namespace program::editors
