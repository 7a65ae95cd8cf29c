#include "persist/settings_file.h"

#include <gtest/gtest.h>

#include "persist/ini_file.h"
#include "persist/path_text.h"
#include "temp_folder.h"

namespace persist {
namespace {

// The port section as the program writes it.
std::string Modbus(const std::string& port) {
  return std::string("[MODBUS]\r\nSettings=256000,O,7,1\r\nDatabits=7\r\nStopbits=1\r\nPartybits=O\r\n") +
         "Baudrate=250000\r\nPortName=" + port + "\r\nProtocol=ASCII\r\n";
}

class SettingsFile : public testing::TempFolder {
 protected:
  SettingsPaths paths = SettingsPathsIn(Dir());
  std::string ini() { return Read(paths.settingsFile); }
  std::string DefaultProject() { return PathToUtf8(paths.defaultProject); }
};

// First start writes the defaults, and exit the run's state.
TEST_F(SettingsFile, MissingModbusSectionGivesPortZeroAndExitAddsIt) {
  const LoadedSettings first = LoadSettings(paths);
  EXPECT_EQ(std::tuple(first.ok, int{first.PortNumber}, first.Caption), std::tuple(true, 6, DefaultProject()))
      << first.message;
  EXPECT_EQ(ini(), "[DEFAULT]\r\nProjectName=" + DefaultProject() + "\r\n\r\n" + Modbus("6"));

  // No project was opened in this run.
  ASSERT_TRUE(SaveSettings(paths, "", 6).ok);
  EXPECT_EQ(ini(), "[DEFAULT]\r\nProjectName=\r\n\r\n" + Modbus(" 6"));

  // A file without a port section gives port 0, and exit adds it; the project name is
  // kept only while it names a file.
  const auto project = Path("kavsak.prj");
  Write(project, "P0000:\r\n");
  Write(paths.settingsFile, "[DEFAULT]\r\nProjectName=" + PathToUtf8(project) + "\r\n");
  const LoadedSettings kept = LoadSettings(paths);
  EXPECT_EQ(std::pair(kept.Caption, int{kept.PortNumber}), std::pair(PathToUtf8(project), 0));
  std::filesystem::remove(project);
  EXPECT_EQ(LoadSettings(paths).Caption, DefaultProject());
  EXPECT_EQ(IniRead(paths.settingsFile, "DEFAULT", "ProjectName"), DefaultProject());
  ASSERT_TRUE(SaveSettings(paths, "/tmp/x.prj", -3).ok);
  EXPECT_EQ(ini(), "[DEFAULT]\r\nProjectName=/tmp/x.prj\r\n\r\n" + Modbus("-3"));
  EXPECT_EQ(LoadSettings(paths).PortNumber, -3);

  // A path the file cannot hold is refused, but the port number is still kept.
  EXPECT_FALSE(SaveSettings(paths, "/tmp/a\nb.prj", 9).ok);
  EXPECT_EQ(IniRead(paths.settingsFile, "MODBUS", "PortName"), " 9");
}

TEST_F(SettingsFile, PortNameIsReadAsItsLeadingNumberRoundedDown) {
  // Text without a number reads as 0; a number outside 16 bits as none, even one beyond 64 bits.
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"COM6", 0}, {"-2.5", -3}, {"-32768", -32768}, {"32768", {}}, {"99999999999999999999999", {}}};
  for (const auto& [text, number] : cases) EXPECT_EQ(PortNumberFromText(text), number) << text;

  Write(paths.settingsFile, "[MODBUS]\r\nPortName=70000\r\n");
  const LoadedSettings loaded = LoadSettings(paths);
  EXPECT_EQ(std::pair(int{loaded.PortNumber}, loaded.message.find("70000") != std::string::npos),
            std::pair(0, true));
}

TEST_F(SettingsFile, FilesLiveBesideTheProgramUnlessItsFolderIsNotWritable) {
  const auto program = Path("bin");
  const auto config = Path("config") / "kx7140";
  std::filesystem::create_directories(program);
  EXPECT_EQ(ChooseSettingsPaths(program, config).settingsFile, program / "kx7140.ini");

  // A folder that cannot take a new file (not even as root): a missing one.
  const SettingsPaths moved = ChooseSettingsPaths(Path("no-such-bin"), config);
  EXPECT_EQ(std::pair(moved.settingsFile, moved.defaultProject),
            std::pair(config / "kx7140.ini", config / "adsiz.prj"));
  EXPECT_TRUE(LoadSettings(moved).ok) << "the folder is made";

  // A locked program folder that holds settings: the user's file starts from them.
  Write(program / "kx7140.ini", "[MODBUS]\r\nPortName= 4\r\n");
  if (!LockFolder(program)) GTEST_SKIP() << "no way to lock a folder here";
  const auto fresh = Path("config2");
  const SettingsPaths locked = ChooseSettingsPaths(program, fresh);
  EXPECT_EQ(std::pair(locked.settingsFile, int{LoadSettings(locked).PortNumber}),
            std::pair(fresh / "kx7140.ini", 4));
  ASSERT_TRUE(SaveSettings(locked, "", 5).ok);
  EXPECT_EQ(LoadSettings(ChooseSettingsPaths(program, fresh)).PortNumber, 5) << "the user's own file";
}

TEST_F(SettingsFile, AFailedRepairAtStartKeepsTheValuesTheFileHolds) {
  if (!kFullDiskPossible) GTEST_SKIP() << "no way to fill the disk here";
  Write(paths.settingsFile, "[DEFAULT]\r\nProjectName=/gone.prj\r\n\r\n[MODBUS]\r\nPortName= 3\r\n");
  const LoadedSettings loaded = OnFullDisk(8, [&] { return LoadSettings(paths); });
  EXPECT_EQ(std::tuple(loaded.ok, loaded.message.empty(), int{loaded.PortNumber}, loaded.LastProject),
            std::tuple(false, false, 3, std::string("/gone.prj")));
}

}  // namespace
}  // namespace persist
