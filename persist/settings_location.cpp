#include "persist/settings_location.h"

#include <system_error>

#include "persist/file_access.h"

namespace persist {

SettingsPaths SettingsPathsIn(const std::filesystem::path& folder) {
  return {folder / kSettingsFileName, folder / kDefaultProjectName};
}

SettingsPaths ChooseSettingsPaths(const std::filesystem::path& programFolder,
                                  const std::filesystem::path& userConfigFolder) {
  if (FolderWritable(programFolder) || userConfigFolder.empty()) {
    return SettingsPathsIn(programFolder);
  }
  std::error_code ec;
  std::filesystem::create_directories(userConfigFolder, ec);
  return SettingsPathsIn(userConfigFolder);
}

}  // namespace persist
