// Processor time the link takes on the event loop's thread, over a few seconds:
// switched on with no device behind the port number (the cable out), and online on
// a bus that gives the PC a turn every 100 ms, without and with the communication
// window. The simulated controller runs on a thread of its own and is not counted.

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <string>

#include "link/controller_link.h"
#include "link/shared_tables.h"
#include "monitor/comm_window.h"
#include "qtlink/link_driver.h"
#include "qtlink/qt_clock.h"
#include "sim/demo_memory.h"
#include "sim/host/background_sim.h"

namespace {

double ThreadCpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_THREAD, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void RunEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Share of one core the event loop's thread used while it ran for `ms`.
double CorePercent(int ms) {
  QElapsedTimer wall;
  const double cpu = ThreadCpuSeconds();
  wall.start();
  RunEventLoop(ms);
  return 100.0 * (ThreadCpuSeconds() - cpu) / (static_cast<double>(wall.elapsed()) / 1000.0);
}

constexpr int kMeasureMs = 5000;

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  qtlink::QtClock clock;
  auto tables = std::make_unique<bus::SharedTables>();

  {
    // A port number no device stands for: the link keeps trying to open it.
    tables->shared.PortNumber = 999;
    qtlink::LinkDriver driver(clock, tables->ForLink());
    driver.Link().cmd_RUN();
    RunEventLoop(500);
    std::printf("RESULT link_cpu_no_device %.2f %% of a core\n", CorePercent(kMeasureMs));
  }
  {
    // A device named on the command line that is not plugged in.
    qtlink::LinkDriver driver(clock, tables->ForLink(), QStringLiteral("/dev/ttyUSB-kx-absent"));
    driver.Link().cmd_RUN();
    RunEventLoop(500);
    std::printf("RESULT link_cpu_named_device_absent %.2f %% of a core\n", CorePercent(kMeasureMs));
  }

  sim::Options options;  // the controller's own timing: a turn every 100 ms
  options.periodMs = 100;
  std::string error;
  auto controller = sim::host::BackgroundSim::Start(options, sim::DemoMemory(), error);
  if (!controller) {
    std::fprintf(stderr, "bench_link_cpu: %s\n", error.c_str());
    return 1;
  }
  const QString device = QString::fromStdString(controller->DevicePath());
  {
    qtlink::LinkDriver driver(clock, tables->ForLink(), device);
    driver.Link().cmd_RUN();
    RunEventLoop(1000);
    if (!driver.Link().PortOpen()) return 1;
    std::printf("RESULT link_cpu_online_100ms %.2f %% of a core\n", CorePercent(kMeasureMs));
  }
  {
    monitor::Frm_T_24VOC window(clock, *tables, device);
    window.show();
    window.cmd_RUN_Click();
    RunEventLoop(1000);
    if (!window.Link().PortOpen()) return 1;
    std::printf("RESULT link_cpu_online_100ms_with_window %.2f %% of a core\n", CorePercent(kMeasureMs));
    std::fflush(stdout);
    window.Link().Stop();
  }
  return 0;
}
