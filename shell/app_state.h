#pragma once
// Everything the running program shares between its windows, owned once by main()
// and handed to each window by reference.

#include <string>

#include "link/controller_link.h"
#include "link/link_state.h"
#include "link/register_image.h"
#include "persist/settings_location.h"
#include "program/editor_model.h"
#include "program/program_image.h"
#include "qtlink/qt_clock.h"

namespace shell {

struct AppState {
  bus::RegisterImage regs;
  bus::LinkShared shared;
  bus::ViewFlags flags;
  program::ProgramImage image{};
  // The image as the project file holds it (or empty, before any project): what the
  // image is compared with to tell whether it holds unsaved work.
  program::ProgramImage fileImage{};
  program::EditorModel model;
  // The current project file, UTF-8; empty while no project is open.
  std::string ProjectPath;
  persist::SettingsPaths paths;
  qtlink::QtClock clock;

  bus::LinkTables Tables() { return {regs, shared, flags, image, model}; }
};

// A project counts as open from five characters of path on.
inline bool ProjectIsOpen(const AppState& s) { return s.ProjectPath.size() >= 5; }

}  // namespace shell
