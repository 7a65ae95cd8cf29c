#include "persist/settings_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <utility>

#include "persist/file_access.h"
#include "persist/ini_file.h"
#include "persist/path_text.h"

namespace persist {

namespace {

constexpr std::string_view kDefault = "DEFAULT";
constexpr std::string_view kModbus = "MODBUS";
constexpr std::string_view kProjectName = "ProjectName";
constexpr std::string_view kPortName = "PortName";

struct Key {
  std::string_view section;
  std::string_view name;
  std::string_view fixedValue;  // empty for the two keys taken from the running state
};

// The order of writing is the file's layout: IniWrite puts each new key at the top of
// its section, so MODBUS reads Settings first and Protocol last.
constexpr std::array<Key, 8> kKeys = {{
    {kDefault, kProjectName, ""},
    {kModbus, "Protocol", "ASCII"},
    {kModbus, kPortName, ""},
    {kModbus, "Baudrate", "250000"},
    {kModbus, "Partybits", "O"},
    {kModbus, "Stopbits", "1"},
    {kModbus, "Databits", "7"},
    {kModbus, "Settings", "256000,O,7,1"},
}};

// Goes on after a refused key, so that a project path the file cannot hold does not
// cost the port number; the first failure is the one reported.
IoResult WriteAllKeys(const SettingsPaths& paths, std::string_view projectName, std::string_view portName) {
  IoResult first;
  for (const Key& key : kKeys) {
    std::string_view value = key.fixedValue;
    if (key.name == kProjectName) value = projectName;
    if (key.name == kPortName) value = portName;
    IoResult r = IniWrite(paths.settingsFile, key.section, key.name, value);
    if (!r && first) first = std::move(r);
  }
  return first;
}

LoadedSettings Defaults(const SettingsPaths& paths, std::string why) {
  LoadedSettings s;
  s.ok = false;
  s.message = std::move(why);
  s.Caption = PathToUtf8(paths.defaultProject);
  return s;
}

}  // namespace

std::string PortNameText(std::int16_t PortNumber) {
  const std::string digits = std::to_string(PortNumber);
  return PortNumber >= 0 ? " " + digits : digits;
}

std::optional<std::int16_t> PortNumberFromText(std::string_view text) {
  std::string s;
  for (const char c : text) {
    if (c != ' ' && c != '\t') s.push_back(c);
  }
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const auto isDigit = [&s](std::size_t at) { return at < s.size() && s[at] >= '0' && s[at] <= '9'; };

  // Past this the number cannot be a port number whatever follows.
  constexpr std::int64_t kCeiling = 1'000'000;
  std::int64_t whole = 0;
  for (; isDigit(i); ++i) whole = std::min<std::int64_t>(whole * 10 + (s[i] - '0'), kCeiling);
  bool fraction = false;
  if (i < s.size() && s[i] == '.') {
    for (++i; isDigit(i); ++i) fraction = fraction || s[i] != '0';
  }
  // Rounding down takes a negative number with a fraction one further from zero.
  const std::int64_t value = negative ? -whole - (fraction ? 1 : 0) : whole;
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(value);
}

LoadedSettings LoadSettings(const SettingsPaths& paths) {
  const std::string defaultProject = PathToUtf8(paths.defaultProject);
  LoadedSettings loaded;

  if (!FileExists(paths.settingsFile)) {
    if (IoResult r = WriteAllKeys(paths, defaultProject, "6"); !r) return Defaults(paths, r.message);
    loaded.message = "Ayar dosyası oluşturuldu: " + PathToUtf8(paths.settingsFile);
  } else {
    IoResult read;
    const std::string project = IniRead(paths.settingsFile, kDefault, kProjectName, &read);
    if (!read) return Defaults(paths, "Ayar dosyası okunamadı: " + read.message);
    loaded.LastProject = project;
    if (project.empty() || !FileExists(PathFromUtf8(project))) {
      // A full disk costs the repair, not the port number the file holds.
      if (IoResult r = IniWrite(paths.settingsFile, kDefault, kProjectName, defaultProject); !r) {
        loaded.ok = false;
        loaded.message = r.message;
      }
    }
  }

  IoResult read;
  const std::string portName = IniRead(paths.settingsFile, kModbus, kPortName, &read);
  if (!read) return Defaults(paths, "Ayar dosyası okunamadı: " + read.message);
  if (const auto number = PortNumberFromText(portName)) {
    loaded.PortNumber = *number;
  } else {
    loaded.PortNumber = 0;
    if (loaded.ok) loaded.message = "PortName değeri port numarası olamaz (" + portName + "), 0 alındı";
  }
  loaded.Caption = IniRead(paths.settingsFile, kDefault, kProjectName);
  return loaded;
}

IoResult SaveSettings(const SettingsPaths& paths, std::string_view ProjectPath, std::int16_t PortNumber) {
  return WriteAllKeys(paths, ProjectPath, PortNameText(PortNumber));
}

}  // namespace persist
