#pragma once
// A simulated controller on a pseudo-terminal, served from a thread of its own, for
// the program's demo mode: the link opens DevicePath() as it would a real port.

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
  static std::unique_ptr<BackgroundSim> Start(const Options& options,
                                              const program::ProgramImage& memory,
                                              std::string& error);
  ~BackgroundSim();
  BackgroundSim(const BackgroundSim&) = delete;
  BackgroundSim& operator=(const BackgroundSim&) = delete;

  const std::string& DevicePath() const { return m_line.DevicePath(); }

 private:
  BackgroundSim(Endpoint line, int stopRead, int stopWrite);

  Endpoint m_line;
  int m_stopRead;
  int m_stopWrite;
  std::unique_ptr<Controller> m_controller;
  std::thread m_thread;
};

}  // namespace sim::host
