#pragma once
// The options of kx7140.

#include <QString>
#include <QStringList>

namespace shell {

struct ShellOptions {
  bool demo = false;       // serve a simulated controller inside the program
  QString portDevice;      // a device path instead of the port number
  QString projectFile;     // open this project at start
  bool online = false;     // switch the link on at start
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program name; on a bad one returns false and puts
// the reason in error.
bool ParseShellOptions(const QStringList& args, ShellOptions& options, QString& error);

extern const char* const kShellUsage;

}  // namespace shell
