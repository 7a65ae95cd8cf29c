#pragma once
// Where the settings file and the default project live: beside the program when its
// folder is writable, so that a program folder carried to another PC takes its
// settings along; otherwise (a program installed under /usr or Program Files) in the
// user's configuration folder.

#include <filesystem>
#include <string_view>

namespace persist {

inline constexpr std::string_view kSettingsFileName = "kx7140.ini";
inline constexpr std::string_view kDefaultProjectName = "adsiz.prj";

struct SettingsPaths {
  std::filesystem::path settingsFile;
  std::filesystem::path defaultProject;
};

// Both files inside the folder, joined with the platform's separator.
SettingsPaths SettingsPathsIn(const std::filesystem::path& folder);

// The program folder when a file can be created there, else the configuration folder,
// which is created when missing and, while it holds no settings file, takes a copy of
// the one in the program folder. With no configuration folder given the program folder
// stays, and the first write reports why it fails.
SettingsPaths ChooseSettingsPaths(const std::filesystem::path& programFolder,
                                  const std::filesystem::path& userConfigFolder);

}  // namespace persist
