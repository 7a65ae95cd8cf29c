#pragma once
// The whole program against a fast, noisy simulated controller with every live
// window open, for as long as asked; reports what a long shift would show.

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <string>

#include "monitor/comm_window.h"
#include "persist/project_file.h"
#include "persist/settings_location.h"
#include "shell/main_window.h"
#include "sim/demo_memory.h"
#include "sim/host/background_sim.h"

namespace soak {

struct Result {
  bool started = false;
  std::string error;
  long rssStartKb = 0;
  long rssEndKb = 0;
  std::uint64_t turns = 0;
  std::uint64_t badFrames = 0;  // damaged frames the simulator refused
  std::uint64_t repliesLost = 0;
  std::uint64_t linesRejected = 0;  // lines the PC refused as damaged
  std::uint64_t uploads = 0;
  double cpuSeconds = 0;
};

inline long ResidentKb() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

inline double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Needs a QApplication. Uploads the whole memory again and again, so that transfers
// run beside the live views the whole time.
inline Result Run(int seconds) {
  Result r;
  QTemporaryDir dir;
  sim::Options options;
  options.periodMs = 22;  // as fast as the PC's 20 ms send gap allows
  options.windowMs = 20;
  options.replyDelayMs = 1;
  options.loss = 0.10;
  options.noise = 0.10;
  options.corrupt = 0.02;
  options.exception = 0.02;
  options.cardFault[2] = true;
  const program::ProgramImage memory = sim::DemoMemory();
  auto simulator = sim::host::BackgroundSim::Start(options, memory, r.error);
  if (!simulator) return r;
  r.started = true;

  auto state = std::make_unique<shell::AppState>();
  state->paths = persist::SettingsPathsIn(dir.path().toStdString());
  const std::string project = dir.filePath("soak.prj").toStdString();
  persist::ProjectSave(project, memory);
  shell::ShellOptions shellOptions;
  shellOptions.portDevice = QString::fromStdString(simulator->DevicePath());
  shellOptions.projectFile = QString::fromStdString(project);
  shellOptions.online = true;
  shell::MDIForm1 window(*state, shellOptions);
  window.show();
  window.Start();
  for (shell::Child c :
       {shell::Child::Cards, shell::Child::Registers, shell::Child::Lamps, shell::Child::Buffer}) {
    window.SetChildShown(c, true);
  }

  QTimer transfers;
  transfers.setInterval(200);
  QObject::connect(&transfers, &QTimer::timeout, [&] {
    monitor::Frm_T_24VOC* comm = window.CommWindow();
    if (comm && state->shared.RequestCode == 0 && comm->Link().PGM_Upload()) ++r.uploads;
  });
  transfers.start();
  QTimer::singleShot(2000, [&] { r.rssStartKb = ResidentKb(); });
  QTimer::singleShot(seconds * 1000, [&] {
    r.rssEndKb = ResidentKb();
    if (monitor::Frm_T_24VOC* comm = window.CommWindow()) {
      const bus::DecoderCounters& d = comm->Link().Decoder().Counters();
      r.linesRejected = d.refused;
    }
    QApplication::quit();
  });
  QApplication::exec();
  window.close();
  simulator->Stop();
  const sim::Counters& c = simulator->StoppedController().Count();
  r.turns = c.turns;
  r.badFrames = c.badFrames;
  r.repliesLost = c.repliesLost;
  r.cpuSeconds = CpuSeconds();
  return r;
}

}  // namespace soak
