#pragma once
// Heap-held image and model for the program tests (the model is too large for a test
// body's stack under the sanitizers), and a reproducible random image.

#include <cstdint>
#include <memory>
#include <random>

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

}  // namespace program::testing
