// kx7140ctl: the headless command-line client of the KX7140 service tool.

#include <unistd.h>

#include <QCoreApplication>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "ctl/capture_decode.h"
#include "ctl/ctl_options.h"
#include "ctl/ctl_session.h"
#include "ctl/exit_status.h"
#include "ctl/file_commands.h"
#include "ctl/port_choice.h"
#include "qtlink/port_list.h"

namespace {

// Set by SIGINT and SIGTERM; the session polls it and ends the run cleanly, so that
// the port is closed and the terminal line is ended.
volatile std::sig_atomic_t g_stop = 0;

extern "C" void OnStopSignal(int) { g_stop = 1; }

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  ctl::CtlOptions options;
  std::string error;
  if (!ctl::ParseCtlOptions(args, options, error)) {
    std::cerr << "kx7140ctl: " << error << " (see kx7140ctl --help)\n";
    return ctl::exit_status::kUsage;
  }
  if (options.help) {
    std::cout << ctl::kCtlUsage;
    return ctl::exit_status::kDone;
  }
  if (options.version) {
    std::cout << "kx7140ctl " << KX_VERSION << "\n";
    return ctl::exit_status::kDone;
  }

  if (options.command == ctl::Command::Decode) {
    return ctl::DecodeCapture(options.projectFile, options.json, std::cout, std::cerr);
  }

  if (options.command == ctl::Command::Check || options.command == ctl::Command::Diff) {
    return ctl::RunFileCommand(options, std::cout, std::cerr);
  }
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationVersion(QStringLiteral(KX_VERSION));
  if (options.listPorts) {
    std::cout << ctl::PortTable(qtlink::ListPorts(QString::fromLatin1(qtlink::kStableNameFolder)));
    return ctl::exit_status::kDone;
  }
  // A number or a short name becomes the device it stands for, so that every message
  // names the device that was really tried.
  const std::string device = ctl::ResolvePortArgument(options.device, qtlink::ListPorts(), error);
  if (device.empty()) {
    std::cerr << "kx7140ctl: " << error << "\n";
    return ctl::exit_status::kPort;
  }
  options.device = device;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  const ctl::SessionIo io{std::cout, std::cerr, isatty(STDERR_FILENO) == 1, [] { return g_stop != 0; }};
  return ctl::RunCommand(options, io);
}
