#pragma once
// Heap-held image and model for the program tests (the model is too large for a test
// body's stack under the sanitizers), a reproducible random image and small setters.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "program/editor_model.h"
#include "program/program_image.h"

namespace program::testing {

inline std::unique_ptr<ProgramImage> RandomImage(std::uint32_t seed) {
  auto image = std::make_unique<ProgramImage>();
  std::mt19937 rng(seed);
  for (auto& b : *image) b = static_cast<std::uint8_t>(rng());
  return image;
}

struct ModelFixture {
  std::unique_ptr<ProgramImage> image = std::make_unique<ProgramImage>();
  std::unique_ptr<EditorModel> model = std::make_unique<EditorModel>();
};

// Lamp codes: red, yellow, red+yellow, green, flashing yellow.
inline constexpr std::uint8_t R = 1, Y = 2, RY = 3, G = 4, FY = 10;

// Steps 1, 2, ... of a record: {duration, code of group 1, code of group 2, ...} each.
inline RecordSteps Steps(std::initializer_list<std::initializer_list<int>> rows) {
  RecordSteps steps{};
  std::size_t s = 1;
  for (const auto& row : rows) {
    std::size_t c = 0;
    for (int v : row) steps[s][c++] = static_cast<std::uint8_t>(v);
    ++s;
  }
  return steps;
}

// The four bytes of weekly entry `entry` (0-15) of day `day` (0-6).
inline void SetWeekEntry(EditorModel& m, int day, int entry, int hour, int minute, int code, int fourth = 0) {
  auto& d = m.WeekTable[static_cast<std::size_t>(day)];
  std::size_t at = 4 * static_cast<std::size_t>(entry);
  for (int v : {hour, minute, code, fourth}) d[at++] = static_cast<std::uint8_t>(v);
}

// The user's texts of a list of warnings or differences.
template <typename T>
std::vector<std::string> Texts(const std::vector<T>& items) {
  std::vector<std::string> texts;
  for (const auto& item : items) texts.push_back(item.text);
  return texts;
}

}  // namespace program::testing
