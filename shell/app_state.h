#pragma once
// Everything the running program shares between its windows, owned once by main()
// and handed to each window by reference: the shared tables, and what only the main
// window keeps beside them (the project's file and its image as saved, the settings'
// place, the clock).

#include <string>

#include "link/shared_tables.h"
#include "persist/settings_location.h"
#include "program/junction_data.h"
#include "program/program_image.h"
#include "qtlink/qt_clock.h"

namespace shell {

struct AppState : bus::SharedTables {
  // The image as the project file holds it (or empty, before any project): what the
  // image is compared with to tell whether it holds unsaved work.
  program::ProgramImage fileImage{};
  // The current project file, UTF-8; empty while no project is open.
  std::string ProjectPath;
  // The junction data of the project (group names, conflicts, check limits), as
  // edited and as its file beside the project holds it.
  program::JunctionData junction;
  program::JunctionData fileJunction;
  // A junction file that exists but could not be read: kept from being saved over
  // unless the user has changed the junction data since.
  std::string unreadableJunction;
  persist::SettingsPaths paths;
  // Where the windows' places are remembered; empty remembers nothing.
  std::string windowGeometryFile;
  qtlink::QtClock clock;
};

// A project counts as open from five characters of path on.
inline bool ProjectIsOpen(const AppState& s) { return s.ProjectPath.size() >= 5; }

}  // namespace shell
