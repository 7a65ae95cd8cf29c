// How long the program editor takes to show a program of 98 steps by 32 groups (the
// model reset and the repaint of the visible cells), to save everything into the
// ProgramImage, and to tell whether it holds unstored changes, which the main window
// asks at every 500 ms status tick.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "bench/result_reporter.h"
#include "link/shared_tables.h"
#include "program/editors/program_edit.h"
#include "program/program_image_codec.h"
#include "program/step_packing.h"

namespace {

// Random memory, unpacked as a project load leaves it.
std::unique_ptr<bus::SharedTables> RandomTables() {
  auto t = std::make_unique<bus::SharedTables>();
  std::mt19937 rng(7);
  for (auto& b : t->image) b = static_cast<std::uint8_t>(rng());
  program::UnpackProgramImage(t->image, t->model);
  program::ExpandSteps(t->model);
  return t;
}

void BM_ShowProgram(benchmark::State& state) {
  const auto t = RandomTables();
  program::editors::Program_EDIT editor(t->model, t->image, t->flags, QStringLiteral("/bench.prj"));
  editor.resize(1100, 720);
  editor.show();
  auto* grid = editor.findChild<QTableView*>(QStringLiteral("MSFlexGrid1"));
  int record = 2;
  for (auto _ : state) {
    record = record == 2 ? 3 : 2;
    editor.SelectRecord(record);
    benchmark::DoNotOptimize(grid->viewport()->grab());
  }
}
BENCHMARK(BM_ShowProgram)->Unit(benchmark::kMillisecond)->MinTime(0.5);

void BM_Save(benchmark::State& state) {
  const auto t = RandomTables();
  program::editors::Program_EDIT editor(t->model, t->image, t->flags, QStringLiteral("/bench.prj"));
  for (auto _ : state) editor.DegisiklikleriKaydet();
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->MinTime(0.5);

void BM_UnstoredChangesCheck(benchmark::State& state) {
  const auto t = RandomTables();
  program::editors::Program_EDIT editor(t->model, t->image, t->flags, QStringLiteral("/bench.prj"));
  for (auto _ : state) benchmark::DoNotOptimize(editor.HasUnstoredChanges());
}
BENCHMARK(BM_UnstoredChangesCheck)->Unit(benchmark::kMillisecond)->MinTime(0.5);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kxbench::ResultReporter reporter;
  kxbench::RunBenchmarks(argc, argv, reporter);
  kxbench::PrintMilliseconds(reporter, {{"BM_ShowProgram", "show_program_ms"},
                                        {"BM_Save", "editor_save_ms"},
                                        {"BM_UnstoredChangesCheck", "unstored_changes_check_ms"}});
  return 0;
}
