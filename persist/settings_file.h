#pragma once
// The settings kept between runs in kx7140.ini: the serial port number and the last
// project's path, plus six serial-line keys that are written with fixed values for
// the file's other readers and never applied.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "persist/io_result.h"
#include "persist/settings_location.h"

namespace persist {

inline constexpr std::int16_t kDefaultPortNumber = 6;

struct LoadedSettings {
  bool ok = true;
  std::string message;  // for the status line; empty when there is nothing to tell
  std::int16_t PortNumber = kDefaultPortNumber;
  // The main window's caption until its status timer replaces it. No project is opened
  // at start, so ProjectPath stays empty whatever the file names.
  std::string Caption;
  // ProjectName as the file held it at start, before a missing project was replaced
  // by the default one; empty on the first start.
  std::string LastProject;
};

// Creates the file with its defaults on the first start, replaces a ProjectName that
// names no existing file by the default project, and reads the port number. When the
// file cannot be read the defaults are returned with the reason; when only that
// replacement cannot be written, the values the file holds still count.
LoadedSettings LoadSettings(const SettingsPaths& paths);

// Writes all eight keys, in their fixed order, with the state of the ending run.
IoResult SaveSettings(const SettingsPaths& paths, std::string_view ProjectPath, std::int16_t PortNumber);

// PortName as stored: one blank before a number of zero or more, a minus sign before
// a negative one (" 6", "-3").
std::string PortNameText(std::int16_t PortNumber);

// The largest whole number not above the text's leading number; blanks and tabs
// anywhere are ignored, the number ends at the first character that cannot continue
// it, and text without a leading number gives 0. Nothing when the number does not fit
// a port number (-32768 to 32767).
std::optional<std::int16_t> PortNumberFromText(std::string_view text);

}  // namespace persist
