// How fast the PC answers its turn over a real serial device, and how many turns a
// download and an upload take against the least the protocol allows (355 and 512).
// The controller side is timed in its own thread at the master end of a pty: from
// the LF that ends the frame to address 16 to the first character of the PC's frame.

#include <poll.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "link/shared_tables.h"
#include "qtlink/link_driver.h"
#include "qtlink/qt_clock.h"
#include "sim/controller.h"
#include "sim/demo_memory.h"
#include "sim/host/endpoint.h"
#include "sim/host/serve_loop.h"

namespace {

double NowUs() {
  using namespace std::chrono;
  return duration_cast<duration<double, std::micro>>(steady_clock::now().time_since_epoch()).count();
}

// The serve loop of the simulator, with a stopwatch on every turn.
class TimedController {
 public:
  TimedController(sim::host::Endpoint& line, const sim::Options& options)
      : m_line(line), m_memory(sim::DemoMemory()), m_controller(m_memory, options) {}

  void Run(const std::atomic<bool>& stop) {
    char buf[4096];
    double turnAt = -1;
    while (!stop) {
      const std::int64_t now = sim::host::SteadyMs();
      const int wait = static_cast<int>(std::clamp<std::int64_t>(m_controller.NextDueMs() - now, 0, 20));
      pollfd fd{m_line.fd(), POLLIN, 0};
      poll(&fd, 1, wait);
      if (fd.revents & POLLIN) {
        const ssize_t n = read(m_line.fd(), buf, sizeof buf);
        if (n > 0) {
          if (turnAt >= 0) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_responsesUs.push_back(NowUs() - turnAt);
            turnAt = -1;
          }
          m_controller.Receive(std::string_view(buf, static_cast<std::size_t>(n)), sim::host::SteadyMs());
        }
      }
      const std::uint64_t before = m_controller.Count().turns;
      const std::string out = m_controller.Step(sim::host::SteadyMs());
      if (!out.empty()) (void)!write(m_line.fd(), out.data(), out.size());
      if (m_controller.Count().turns != before) turnAt = NowUs();  // the turn frame ends the burst
      m_turns = m_controller.Count().turns;
    }
  }

  std::uint64_t Turns() const { return m_turns; }
  std::vector<double> Responses() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_responsesUs;
  }

 private:
  sim::host::Endpoint& m_line;
  program::ProgramImage m_memory;
  sim::Controller m_controller;
  std::atomic<std::uint64_t> m_turns{0};
  std::mutex m_mutex;
  std::vector<double> m_responsesUs;
};

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::string error;
  sim::host::Endpoint line = sim::host::Endpoint::OpenPty(error);
  if (!line.ok()) {
    std::fprintf(stderr, "bench_turn_response: %s\n", error.c_str());
    return 1;
  }
  sim::Options options;  // the controller's own timing: a turn every 100 ms
  options.periodMs = 100;
  TimedController controller(line, options);
  std::atomic<bool> stop{false};
  std::thread bus([&] { controller.Run(stop); });

  qtlink::QtClock clock;
  auto tables = std::make_unique<bus::SharedTables>();
  qtlink::LinkDriver driver(clock, tables->ForLink(), QString::fromStdString(line.DevicePath()));
  driver.Link().cmd_RUN();

  enum class Phase { Warm, Download, Upload, Done } phase = Phase::Warm;
  std::uint64_t phaseStart = 0;
  std::uint64_t downloadTurns = 0;
  std::uint64_t uploadTurns = 0;
  QTimer watch;
  watch.setInterval(5);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    const std::uint64_t turns = controller.Turns();
    switch (phase) {
      case Phase::Warm:
        if (turns >= 20) {
          phase = Phase::Download;
          phaseStart = turns;
          driver.Link().PGM_Download(1);
        }
        break;
      case Phase::Download:
        if (tables->shared.RequestCode == 0) {
          downloadTurns = turns - phaseStart;
          phase = Phase::Upload;
          phaseStart = turns;
          driver.Link().PGM_Upload();
        }
        break;
      case Phase::Upload:
        if (tables->shared.RequestCode == 0) {
          uploadTurns = turns - phaseStart;
          phase = Phase::Done;
          app.quit();
        }
        break;
      case Phase::Done: break;
    }
  });
  watch.start();
  QTimer::singleShot(300000, &app, &QCoreApplication::quit);  // never hang
  app.exec();
  stop = true;
  bus.join();

  const std::vector<double> r = controller.Responses();
  std::printf("RESULT turn_response_p50 %.2f ms\n", Percentile(r, 0.50) / 1000.0);
  std::printf("RESULT turn_response_p99 %.2f ms\n", Percentile(r, 0.99) / 1000.0);
  std::printf("RESULT turn_response_samples %zu turns\n", r.size());
  // The download also spends a turn on its start and one on its end command.
  std::printf("RESULT download_turns %llu turns (least 355)\n",
              static_cast<unsigned long long>(downloadTurns));
  std::printf("RESULT upload_turns %llu turns (least 512)\n", static_cast<unsigned long long>(uploadTurns));
  return phase == Phase::Done ? 0 : 1;
}
