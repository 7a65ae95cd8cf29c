// The main window's start-up: tables, settings, the communication window, then the
// command line's wishes.

#include <algorithm>

#include "monitor/bus_recording.h"
#include "monitor/comm_window.h"
#include "persist/path_text.h"
#include "persist/recovery_copy.h"
#include "persist/settings_file.h"
#include "shell/main_window.h"

namespace shell {

void MDIForm1::Start() {
  // The output cards are refreshed by the decoder only after this.
  for (auto& record : m_state.model.PgmSteps) {
    for (std::size_t step = 0; step < 100; ++step)
      std::fill(record[step].begin(), record[step].begin() + 33, 0);
  }
  m_state.flags.TablesReady = true;

  const persist::LoadedSettings loaded = persist::LoadSettings(m_state.paths);
  m_state.shared.PortNumber = loaded.PortNumber;
  setWindowTitle(QString::fromStdString(loaded.Caption));
  m_state.ProjectPath.clear();
  if (!loaded.message.empty()) ShowStatus(QString::fromStdString(loaded.message));
  // Work a signal saved from the last run is worth more than any other news.
  const std::string fallback = persist::PathToUtf8(m_state.paths.defaultProject);
  if (const auto recovery = persist::FindRecoveryCopy({loaded.LastProject, fallback})) {
    ShowStatus(QStringLiteral("Önceki çalışmanın kurtarma kopyası: ") + QString::fromStdString(*recovery));
  }

  SetChildShown(Child::Comm, true);
  // Before the link opens, so that its first line is in the file.
  if (!m_options.captureFile.isEmpty()) m_recording->StartCapture(m_options.captureFile, CapturePortName());

  if (!m_options.projectFile.isEmpty()) {
    // As if opened with "Aç": the editor shows it.
    Apply(m_commands.OpenProject(m_options.projectFile));
  }
  if (m_options.online) {
    if (monitor::Frm_T_24VOC* comm = CommWindow()) comm->cmd_RUN_Click();
  }
  m_timer1.start();
}

}  // namespace shell
