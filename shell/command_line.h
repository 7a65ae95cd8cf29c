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
  QString captureFile;     // capture the bus into this file from the start
  QString replayFile;      // play this capture instead of opening a port
  double replaySpeed = 1;  // of the replay; 0: as fast as possible
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program name; on a bad one returns false and puts
// the reason in error. help and version are set even then, so that they always answer.
bool ParseShellOptions(const QStringList& args, ShellOptions& options, QString& error);

// True when an argument looks like one of Qt's own single-dash options (-platform,
// -style): then a refusal waits until QApplication has taken those out.
bool MayHoldToolkitOptions(const QStringList& args);

extern const char* const kShellUsage;

}  // namespace shell
