// A long shift: the whole program with every live window open against the simulator
// at its fastest, with noise and lost replies. bench_soak [seconds], 600 by default.

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "bench/soak_run.h"

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 600;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  const soak::Result r = soak::Run(seconds);
  if (!r.started) {
    std::fprintf(stderr, "bench_soak: %s\n", r.error.c_str());
    return 1;
  }
  std::printf("RESULT soak_seconds %d s\n", seconds);
  std::printf("RESULT soak_rss_start %ld KB\n", r.rssStartKb);
  std::printf("RESULT soak_rss_end %ld KB\n", r.rssEndKb);
  std::printf("RESULT soak_turns %llu turns\n", static_cast<unsigned long long>(r.turns));
  std::printf("RESULT soak_uploads %llu uploads\n", static_cast<unsigned long long>(r.uploads));
  std::printf("RESULT soak_pc_frames_refused_by_controller %llu frames\n",
              static_cast<unsigned long long>(r.badFrames));
  std::printf("RESULT soak_lines_refused_by_pc %llu lines\n",
              static_cast<unsigned long long>(r.linesRejected));
  std::printf("RESULT soak_replies_lost %llu replies\n", static_cast<unsigned long long>(r.repliesLost));
  std::printf("RESULT soak_cpu %.1f s\n", r.cpuSeconds);
  return 0;
}
