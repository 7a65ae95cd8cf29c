#pragma once
// The console report of Google Benchmark, keeping each benchmark's real time per
// iteration and its counters, so that a program can end with its `RESULT name value
// unit` lines.

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
      for (const auto& [counter, value] : r.counters) m_counters[r.benchmark_name()][counter] = value;
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

  // The counter `counter` of the first benchmark whose name starts with `prefix`, as
  // reported (a rate per second for a rate counter); 0 when none ran.
  double Counter(const std::string& prefix, const std::string& counter) const {
    for (const auto& [name, counters] : m_counters) {
      if (name.rfind(prefix, 0) != 0) continue;
      const auto c = counters.find(counter);
      return c == counters.end() ? 0 : c->second;
    }
    return 0;
  }

 private:
  std::map<std::string, double> m_microseconds;
  std::map<std::string, std::map<std::string, double>> m_counters;
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
    if (us > 0) std::printf("RESULT %s %.2f us\n", result, us);
  }
}

// "RESULT <result> <ms> ms" likewise, for the benchmarks that take milliseconds.
inline void PrintMilliseconds(const ResultReporter& reporter,
                              std::initializer_list<std::pair<const char*, const char*>> names) {
  for (const auto& [bench, result] : names) {
    const double us = reporter.Microseconds(bench);
    if (us > 0) std::printf("RESULT %s %.3f ms\n", result, us / 1000.0);
  }
}

}  // namespace kxbench
