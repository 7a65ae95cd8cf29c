#include "sim/host/background_sim.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "sim/host/serve_loop.h"

namespace sim::host {

std::unique_ptr<BackgroundSim> BackgroundSim::Start(const Options& options,
                                                    const program::ProgramImage& memory, std::string& error) {
  std::unique_ptr<BackgroundSim> sim(new BackgroundSim);
  sim->m_controller = std::make_unique<Controller>(memory, options);
  if (!sim->Run(error)) return nullptr;
  return sim;
}

bool BackgroundSim::Run(std::string& error) {
  auto line = std::make_unique<Endpoint>(Endpoint::OpenPty(error));
  if (!line->ok()) return false;
  int stop[2];
  if (pipe(stop) != 0) {
    error = std::string("pipe: ") + std::strerror(errno);
    return false;
  }
  fcntl(stop[0], F_SETFD, FD_CLOEXEC);
  fcntl(stop[1], F_SETFD, FD_CLOEXEC);
  m_line = std::move(line);
  m_stopRead = stop[0];
  m_stopWrite = stop[1];
  m_thread = std::thread([this] {
    ServeStats stats;
    Serve(*m_controller, *m_line, m_stopRead, {}, stats);
  });
  return true;
}

void BackgroundSim::Stop() {
  if (!m_thread.joinable()) return;
  const char byte = 1;
  (void)!write(m_stopWrite, &byte, 1);
  m_thread.join();
  close(m_stopRead);
  close(m_stopWrite);
  m_stopRead = m_stopWrite = -1;
}

bool BackgroundSim::Replug(std::string& error) {
  Stop();
  m_line.reset();  // closes both ends: the PC's device is gone
  return Run(error);
}

BackgroundSim::~BackgroundSim() { Stop(); }

}  // namespace sim::host
