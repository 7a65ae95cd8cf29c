// Time of the three whole-memory operations a user waits for: opening a project,
// saving it, and the editor's save cycle (unpack, expand, compact, pack). Each should
// stay well below what a click can notice. Also the start-up's settings load on a
// settings file swollen with 10 MB of empty lines, which must stay under a second.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "bench/result_reporter.h"
#include "persist/path_text.h"
#include "persist/project_file.h"
#include "persist/settings_file.h"
#include "program/program_image_codec.h"
#include "program/step_packing.h"

namespace {

std::unique_ptr<program::ProgramImage> RandomImage() {
  auto image = std::make_unique<program::ProgramImage>();
  std::mt19937 rng(42);
  for (auto& b : *image) b = static_cast<std::uint8_t>(rng());
  return image;
}

// A project file in a folder of its own, removed when the benchmark ends.
struct BenchFile {
  std::filesystem::path dir;
  std::string path;
  BenchFile() {
    std::random_device rd;
    dir = std::filesystem::temp_directory_path() / ("kx-bench-" + std::to_string(rd()));
    std::filesystem::create_directories(dir);
    path = persist::PathToUtf8(dir / "bench.prj");
  }
  ~BenchFile() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

void BM_ProjectSave(benchmark::State& state) {
  BenchFile file;
  const auto image = RandomImage();
  for (auto _ : state) {
    if (!persist::ProjectSave(file.path, *image).ok) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_ProjectSave)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

void BM_ProjectLoad(benchmark::State& state) {
  BenchFile file;
  auto image = RandomImage();
  auto model = std::make_unique<program::EditorModel>();
  if (!persist::ProjectSave(file.path, *image).ok) state.SkipWithError("save failed");
  for (auto _ : state) {
    if (!persist::ProjectLoad(file.path, *image, *model).ok) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(model->PgmGroups[5][7][3]);
  }
}
BENCHMARK(BM_ProjectLoad)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

void BM_EditorSaveCycle(benchmark::State& state) {
  auto image = RandomImage();
  auto model = std::make_unique<program::EditorModel>();
  for (auto _ : state) {
    program::UnpackProgramImage(*image, *model);
    program::ExpandSteps(*model);
    program::CompactSteps(*model);
    program::PackProgramImage(*model, *image);
    benchmark::DoNotOptimize(image->data());
  }
}
BENCHMARK(BM_EditorSaveCycle)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

// The first start after the swelling: the missing project is replaced by the default
// one, so the writer tidies the whole file once, and the readers scan it.
void BM_SettingsLoadEmptyLines(benchmark::State& state) {
  BenchFile folder;
  const persist::SettingsPaths paths = persist::SettingsPathsIn(folder.dir);
  std::string swollen = "[DEFAULT]\r\nProjectName=/no/such.prj\r\n";
  for (std::size_t i = 0; i < 5'000'000; ++i) swollen += "\r\n";  // 10 MB
  swollen += "[MODBUS]\r\nPortName= 6\r\n";
  for (auto _ : state) {
    state.PauseTiming();
    if (std::FILE* f = std::fopen(paths.settingsFile.c_str(), "wb")) {
      std::fwrite(swollen.data(), 1, swollen.size(), f);
      std::fclose(f);
    }
    state.ResumeTiming();
    if (persist::LoadSettings(paths).PortNumber != 6) state.SkipWithError("settings not read");
  }
}
BENCHMARK(BM_SettingsLoadEmptyLines)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  kxbench::ResultReporter reporter;
  kxbench::RunBenchmarks(argc, argv, reporter);
  kxbench::PrintMicroseconds(reporter, {{"BM_ProjectLoad", "project_load"},
                                        {"BM_ProjectSave", "project_save"},
                                        {"BM_EditorSaveCycle", "unpack_expand_compact_pack"}});
  const double load = reporter.Microseconds("BM_SettingsLoadEmptyLines");
  if (load > 0) std::printf("RESULT settings_load_10mb_empty_lines %.1f ms\n", load / 1000.0);
  return 0;
}
