#pragma once
// A simulated controller on a pseudo-terminal, served from a thread of its own, for
// the program's demo mode and the end-to-end tests: the link opens DevicePath() as
// it would a real port.

#include <memory>
#include <string>
#include <thread>

#include "program/program_image.h"
#include "sim/controller.h"
#include "sim/host/endpoint.h"
#include "sim/options.h"

namespace sim::host {

class BackgroundSim {
 public:
  // Nothing when no pseudo-terminal could be made; error says why.
  static std::unique_ptr<BackgroundSim> Start(const Options& options, const program::ProgramImage& memory,
                                              std::string& error);
  ~BackgroundSim();
  BackgroundSim(const BackgroundSim&) = delete;
  BackgroundSim& operator=(const BackgroundSim&) = delete;

  const std::string& DevicePath() const { return m_line->DevicePath(); }

  // Ends the service thread; the controller can then be looked at from any thread.
  void Stop();
  // Only after Stop(): the controller as the PC left it.
  const Controller& StoppedController() const { return *m_controller; }

  // The cable pulled and put back: the pseudo-terminal closes (the PC's reads fail)
  // and a new one is served by the same controller. DevicePath() changes.
  bool Replug(std::string& error);

 private:
  BackgroundSim() = default;
  bool Run(std::string& error);

  std::unique_ptr<Endpoint> m_line;
  int m_stopRead = -1;
  int m_stopWrite = -1;
  std::unique_ptr<Controller> m_controller;
  std::thread m_thread;
};

}  // namespace sim::host
