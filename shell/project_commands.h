#pragma once
// The file commands of the main window: new, open, save and save under a new name,
// on the shared ProgramImage and ProjectPath. Each says what the status line should
// show; none of them asks anything beyond the file dialog. Every load and save also
// notes what the file now holds, for telling unsaved work apart.

#include <QString>

#include "shell/app_state.h"
#include "shell/project_dialog.h"

namespace shell {

struct CommandOutcome {
  bool done = false;          // false when the dialog was cancelled
  bool reopenEditor = false;  // the program editor must show the new project
  QString message;            // for the status line; may be empty
};

class ProjectCommands {
 public:
  ProjectCommands(AppState& state, ProjectDialog& dialog) : m_state(state), m_dialog(dialog) {}

  CommandOutcome ProjectOpen();
  // Loads the file and only then makes it the project: a refused file leaves
  // ProjectPath, the image and the editor's tables as they were.
  CommandOutcome OpenProject(const QString& path);
  CommandOutcome ProjectNew();
  CommandOutcome ProjectSaveAs();
  // Writes the image as it is to ProjectPath.
  CommandOutcome ProjectSave();
  // Reads ProjectPath into the image and the editor model.
  CommandOutcome ProjectLoad();

 private:
  AppState& m_state;
  ProjectDialog& m_dialog;
};

}  // namespace shell
