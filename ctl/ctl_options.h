#pragma once
// The command line of kx7140ctl: which command, on which device, with which file,
// and how long to wait for the controller.

#include <cstdint>
#include <string>
#include <vector>

namespace ctl {

enum class Command {
  None,
  Upload,
  Download,
  DownloadSystem,
  Log,
  SetClock,
  Service,
  Watch,
  Capture,
  Decode,
  Check,
  Diff,
  Verify
};

struct CtlOptions {
  Command command = Command::None;
  std::string device;       // --port: a device, or a port number as ports lists it
  std::string projectFile;  // upload, download, download-system, check, diff, verify; the capture file of
                            // capture, decode
  std::string otherProjectFile;  // diff: the file compared with projectFile
  int serviceIndex = -1;         // index into bus::kServiceCommands
  int watchSeconds = 0;          // watch, capture; 0: until interrupted
  bool json = false;             // watch, decode: one JSON object per line; check: one JSON document
  bool csv = false;              // watch: the trend columns, one row per PC turn
  bool allowIncomplete = false;  // downloads: send a project file that is not whole
  std::int64_t timeoutMs = 5000;
  bool help = false;
  bool version = false;
  bool listPorts = false;  // the ports command: answered without a port or a session
};

// Parses the arguments after the program name, in the option style of all three
// programs (QCommandLineParser's). On a bad one returns false and puts one line saying
// why into error.
bool ParseCtlOptions(const std::vector<std::string>& args, CtlOptions& options, std::string& error);

extern const char* const kCtlUsage;

}  // namespace ctl
