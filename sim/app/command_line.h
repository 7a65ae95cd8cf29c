#pragma once
// Options of kx7140-sim.

#include <optional>
#include <string>
#include <vector>

#include "sim/options.h"

namespace sim::app {

struct CommandLine {
  Options sim;
  std::string memoryFile;  // raw 65,536-byte memory image
  std::string linkPath;    // symlink to the pseudo-terminal's device
  std::string portDevice;  // serve on a real serial device instead of a pty
  bool help = false;
  bool version = false;
};

// Parses argv; on a bad option returns nothing and puts the reason in error.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error);

extern const char* const kUsage;

}  // namespace sim::app
