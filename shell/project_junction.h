#pragma once
// The junction file goes with the project file: read after every project load,
// written after every project save (also under a new name), but never over a file
// that could not be read while the user has not changed the junction data since.

#include <QString>

#include "shell/app_state.h"

namespace shell {

// Reads the junction file of ProjectPath; a project without one gets the defaults.
// What the status line should add: empty, or why the file was not taken.
QString LoadProjectJunction(AppState& state);

// Writes the junction file of ProjectPath, unless there is nothing to keep (the
// defaults and no file yet) or it would replace an unreadable file unasked. What the
// status line should add.
QString SaveProjectJunction(AppState& state);

bool JunctionModified(const AppState& state);

}  // namespace shell
