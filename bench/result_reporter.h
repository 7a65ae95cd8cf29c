#pragma once
// The console report of Google Benchmark, keeping each benchmark's real time per
// iteration, so that a program can end with its `RESULT name value unit` lines.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kxbench {

class ResultReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& r : runs) {
      if (r.error_occurred || r.iterations == 0) continue;
      const double seconds = r.real_accumulated_time / static_cast<double>(r.iterations);
      m_microseconds[r.benchmark_name()] = seconds * 1e6;
    }
  }

  // Real microseconds per iteration of the first benchmark whose name starts with
  // `prefix` ("BM_Load" matches "BM_Load/min_time:0.500"); 0 when none ran.
  double Microseconds(const std::string& prefix) const {
    for (const auto& [name, us] : m_microseconds) {
      if (name.rfind(prefix, 0) == 0) return us;
    }
    return 0;
  }

 private:
  std::map<std::string, double> m_microseconds;
};

// Runs the benchmarks the command line selects, reporting to `reporter`.
inline void RunBenchmarks(int argc, char** argv, ResultReporter& reporter) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}

// "RESULT <result> <us> us" for every {benchmark prefix, result name} that ran.
inline void PrintMicroseconds(const ResultReporter& reporter,
                              std::initializer_list<std::pair<const char*, const char*>> names) {
  for (const auto& [bench, result] : names) {
    const double us = reporter.Microseconds(bench);
    if (us > 0) std::printf("RESULT %s %.1f us\n", result, us);
  }
}

}  // namespace kxbench
