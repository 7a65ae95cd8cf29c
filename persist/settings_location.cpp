#include "persist/settings_location.h"

#include <system_error>

#include "persist/file_access.h"

namespace persist {

namespace {
// A settings file is a few hundred bytes; a larger one is not copied.
constexpr std::size_t kMaxSeedBytes = 1u << 20;
}  // namespace

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
  SettingsPaths paths = SettingsPathsIn(userConfigFolder);
  // Settings left beside a program in a locked folder (by an installer or the
  // administrator) are the user's starting point until the user's own file exists.
  const SettingsPaths shipped = SettingsPathsIn(programFolder);
  std::string text;
  if (!FileExists(paths.settingsFile) && FileExists(shipped.settingsFile) &&
      ReadWholeFile(shipped.settingsFile, text, kMaxSeedBytes)) {
    WriteFileAtomic(paths.settingsFile, text);
  }
  return paths;
}

}  // namespace persist
