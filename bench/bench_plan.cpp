// What the program editor pays on every grid edit for the signal plan and the checks,
// against a 16 ms frame: building the plan of a full 98-step, 32-group program, and
// checking such a record on a sound four-phase junction and on the worst one (every
// pair conflicting, random states: thousands of warnings), and drawing its plan; then
// checking a whole image of such programs and comparing two images that differ
// everywhere.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "bench/result_reporter.h"
#include "program/editor_model.h"
#include "program/editors/signal_plan_painter.h"
#include "program/image_compare.h"
#include "program/junction_data.h"
#include "program/program_check.h"
#include "program/program_image.h"
#include "program/program_image_codec.h"
#include "program/record_names.h"
#include "program/signal_plan.h"
#include "program/signal_state.h"
#include "program/step_packing.h"

namespace {

constexpr std::size_t kShownSteps = 98;

// Every offered program record full: 98 steps of 1 to 30 s, each group in a code
// the editor sets. Codes change from step to step, the most a plan has to draw.
std::unique_ptr<program::EditorModel> FullModel() {
  auto model = std::make_unique<program::EditorModel>();
  std::mt19937 rng(11);
  for (std::size_t x = 2; x < program::kOfferedRecordCount; ++x) {
    for (std::size_t s = 1; s <= kShownSteps; ++s) {
      model->PgmGroups[x][s][0] = static_cast<std::uint8_t>(1 + rng() % 30);
      for (std::size_t g = 1; g <= 32; ++g) {
        model->PgmGroups[x][s][g] = program::kEditorStateCodes[rng() % 8];
      }
    }
  }
  program::CompactSteps(*model);
  return model;
}

// A junction of four phases of eight groups each, every group conflicting with the
// groups of the other phases (5 s intergreen), and a 98-step program that turns the
// phases over properly: green 10 s, yellow 3 s, all red 2 s, red+yellow 1 s.
program::JunctionData FourPhases() {
  program::JunctionData j;
  for (int a = 1; a <= program::kJunctionGroups; ++a) {
    for (int b = a + 1; b <= program::kJunctionGroups; ++b) {
      if ((a - 1) % 4 != (b - 1) % 4) program::SetConflict(j, a, b, 5, 5);
    }
  }
  return j;
}

program::RecordSteps FourPhaseProgram() {
  program::RecordSteps steps{};
  constexpr std::uint8_t kSeconds[4] = {10, 3, 2, 1};
  for (std::size_t s = 1; s <= kShownSteps; ++s) {
    const std::size_t phase = (s - 1) / 4 % 4, part = (s - 1) % 4;
    steps[s][0] = kSeconds[part];
    for (std::size_t g = 1; g <= 32; ++g) {
      const std::size_t own = (g - 1) % 4;
      std::uint8_t code = 1;
      if (own == phase) code = part == 0 ? 4 : part == 1 ? 2 : 1;
      if (own == (phase + 1) % 4 && part == 3) code = 3;
      steps[s][g] = code;
    }
  }
  return steps;
}

program::JunctionData AllConflicting() {
  program::JunctionData j;
  for (int a = 1; a <= program::kJunctionGroups; ++a) {
    for (int b = a + 1; b <= program::kJunctionGroups; ++b) program::SetConflict(j, a, b, 5, 5);
  }
  return j;
}

void BM_BuildPlan(benchmark::State& state) {
  const auto model = FullModel();
  for (auto _ : state) {
    const program::SignalPlan plan = program::BuildSignalPlan(model->PgmGroups[4], 4, 7);
    benchmark::DoNotOptimize(plan.rows.data());
  }
}
BENCHMARK(BM_BuildPlan)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

// The plan pane of an editor on a 1366-pixel screen, every group named.
void BM_PaintPlan(benchmark::State& state) {
  const auto model = FullModel();
  const program::SignalPlan plan = program::BuildSignalPlan(model->PgmGroups[4], 4, 7);
  program::editors::SignalPlanPaintOptions options;
  for (std::size_t g = 0; g < options.groupNames.size(); ++g) {
    options.groupNames[g] = QStringLiteral("A%1 Kuzey yaya").arg(g + 1);
  }
  QImage image(1340, 330, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter p(&image);
    program::editors::PaintSignalPlan(p, image.rect(), plan, options);
  }
  state.counters["bars"] = static_cast<double>(plan.rows.size() * plan.steps.size());
}
BENCHMARK(BM_PaintPlan)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

void BM_CheckFourPhases(benchmark::State& state) {
  const program::RecordSteps steps = FourPhaseProgram();
  const program::JunctionData junction = FourPhases();
  std::size_t warnings = 0;
  for (auto _ : state) {
    warnings = program::CheckRecord(steps, 4, junction).size();
    benchmark::DoNotOptimize(warnings);
  }
  state.counters["warnings"] = static_cast<double>(warnings);
}
BENCHMARK(BM_CheckFourPhases)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

void BM_CheckRecord(benchmark::State& state) {
  const auto model = FullModel();
  const program::JunctionData junction = AllConflicting();
  std::size_t warnings = 0;
  for (auto _ : state) {
    warnings = program::CheckRecord(model->PgmGroups[4], 4, junction).size();
    benchmark::DoNotOptimize(warnings);
  }
  state.counters["warnings"] = static_cast<double>(warnings);
}
BENCHMARK(BM_CheckRecord)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

void BM_CheckImage(benchmark::State& state) {
  const auto model = FullModel();
  auto image = std::make_unique<program::ProgramImage>();
  program::PackProgramImage(*model, *image);
  const program::JunctionData junction = AllConflicting();
  std::size_t warnings = 0;
  for (auto _ : state) {
    warnings = program::CheckImage(*image, junction).size();
    benchmark::DoNotOptimize(warnings);
  }
  state.counters["warnings"] = static_cast<double>(warnings);
}
BENCHMARK(BM_CheckImage)->Unit(benchmark::kMillisecond)->MinTime(0.5);

void BM_CompareImages(benchmark::State& state) {
  auto a = std::make_unique<program::ProgramImage>();
  auto b = std::make_unique<program::ProgramImage>();
  std::mt19937 rng(5);
  for (auto& byte : *a) byte = static_cast<std::uint8_t>(rng());
  for (auto& byte : *b) byte = static_cast<std::uint8_t>(rng());
  std::size_t differences = 0;
  for (auto _ : state) {
    differences = program::CompareImages(*a, *b).size();
    benchmark::DoNotOptimize(differences);
  }
  state.counters["differences"] = static_cast<double>(differences);
}
BENCHMARK(BM_CompareImages)->Unit(benchmark::kMillisecond)->MinTime(0.5);

}  // namespace

int main(int argc, char** argv) {
  // Text needs the font database of a GUI application; no screen is needed.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  kxbench::ResultReporter reporter;
  kxbench::RunBenchmarks(argc, argv, reporter);
  kxbench::PrintMicroseconds(reporter, {{"BM_BuildPlan", "plan_98x32_us"},
                                        {"BM_PaintPlan", "plan_paint_98x32_us"},
                                        {"BM_CheckFourPhases", "check_record_98x32_four_phases_us"},
                                        {"BM_CheckRecord", "check_record_98x32_all_conflicting_us"},
                                        {"BM_CheckImage", "check_full_image_us"},
                                        {"BM_CompareImages", "compare_random_images_us"}});
  // The share of a 16 ms frame that a grid edit costs the plan, its drawing and its
  // record's checks on a sound four-phase junction.
  const double us = reporter.Microseconds("BM_BuildPlan") + reporter.Microseconds("BM_PaintPlan") +
                    reporter.Microseconds("BM_CheckFourPhases");
  std::printf("RESULT plan_and_check_frame_share %.2f %%\n", us / 16000.0 * 100.0);
  return 0;
}
