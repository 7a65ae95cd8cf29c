#include "sim/host/background_sim.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "sim/host/serve_loop.h"

namespace sim::host {

BackgroundSim::BackgroundSim(Endpoint line, int stopRead, int stopWrite)
    : m_line(std::move(line)), m_stopRead(stopRead), m_stopWrite(stopWrite) {}

std::unique_ptr<BackgroundSim> BackgroundSim::Start(const Options& options,
                                                    const program::ProgramImage& memory,
                                                    std::string& error) {
  Endpoint line = Endpoint::OpenPty(error);
  if (!line.ok()) return nullptr;
  int stop[2];
  if (pipe(stop) != 0) {
    error = std::string("pipe: ") + std::strerror(errno);
    return nullptr;
  }
  fcntl(stop[0], F_SETFD, FD_CLOEXEC);
  fcntl(stop[1], F_SETFD, FD_CLOEXEC);
  std::unique_ptr<BackgroundSim> sim(new BackgroundSim(std::move(line), stop[0], stop[1]));
  sim->m_controller = std::make_unique<Controller>(memory, options);
  sim->m_thread = std::thread([s = sim.get()] {
    ServeStats stats;
    Serve(*s->m_controller, s->m_line, s->m_stopRead, {}, stats);
  });
  return sim;
}

BackgroundSim::~BackgroundSim() {
  if (m_thread.joinable()) {
    const char byte = 1;
    (void)!write(m_stopWrite, &byte, 1);
    m_thread.join();
  }
  close(m_stopRead);
  close(m_stopWrite);
}

}  // namespace sim::host
