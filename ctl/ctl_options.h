#pragma once
// The command line of kx7140ctl: which command, on which device, with which file,
// and how long to wait for the controller.

#include <cstdint>
#include <string>
#include <vector>

namespace ctl {

enum class Command { None, Upload, Download, DownloadSystem, Log, SetClock, Service, Watch };

struct CtlOptions {
  Command command = Command::None;
  std::string device;        // --port: a device, or a port number as ports lists it
  std::string projectFile;   // upload, download, download-system
  int serviceIndex = -1;     // 0..4, the controller's service command list
  int watchSeconds = 0;      // 0: until interrupted
  bool json = false;         // watch: one JSON object per line
  bool allowIncomplete = false;  // downloads: send a project file that is not whole
  std::int64_t timeoutMs = 5000;
  bool help = false;
  bool version = false;
  bool listPorts = false;    // the ports command: answered without a port or a session
};

// The service command names of the command line, in the order of the controller's
// list, and the caption the communication window shows for each.
struct ServiceName {
  const char* word;
  const char* caption;
};
inline constexpr ServiceName kServiceNames[] = {
    {"reset-cpu", "Reset CPU"},
    {"reset-parameters", "Reset Parameters"},
    {"reset-alarm-list", "Reset Alarm List"},
    {"reset-rtc", "Reset RTC Chip"},
    {"reset-program-chip", "Reset Program Chip"},
};

// Parses the arguments after the program name, in the option style of all three
// programs (QCommandLineParser's). On a bad one returns false and puts one line saying
// why into error.
bool ParseCtlOptions(const std::vector<std::string>& args, CtlOptions& options, std::string& error);

extern const char* const kCtlUsage;

}  // namespace ctl
