#include "program/program_image_codec.h"

#include <algorithm>
#include <cstdint>

#include "program/memory_map.h"

namespace program {

namespace {

// A single-step flash record: its model index and its first address in the image.
struct FlashRecord {
  std::size_t record;
  std::size_t base;
};
constexpr FlashRecord kFlashRecords[] = {{1, kFlashRecord1Base}, {0, kFlashRecord0Base}};

}  // namespace

void ClearProgramImage(ProgramImage& image) { image.fill(0); }

void UnpackProgramImage(const ProgramImage& image, EditorModel& model) {
  ClearEditorModel(model);

  for (std::size_t i = 0; i < kProjectTextBytes; ++i) {
    model.ProjectText[i] = image[kProjectTextAddress + i];
  }
  for (std::size_t n = 0; n < kParamWordCount; ++n) {
    const std::size_t a = kParamWordsAddress + 2 * n;
    model.ParamWords[n] = static_cast<std::int32_t>(image[a]) * 256 + image[a + 1];
  }
  for (std::size_t d = 0; d < kWeekTableDays; ++d) {
    for (std::size_t i = 0; i < kWeekDayStride; ++i) {
      model.WeekTable[d][i] = image[kWeekTableAddress + kWeekDayStride * d + i];
    }
  }
  for (const auto& f : kFlashRecords) {
    auto& steps = model.PgmSteps[f.record];
    for (std::size_t i = 0; i < kNameBytes; ++i) {
      model.PgmNames[f.record][i + 1] = image[f.base + i];
      steps[i + 1][0] = image[f.base + kFlashDurationOffset + i];
      steps[1][i + 1] = image[f.base + kFlashStatesOffset + i];
    }
  }
  for (std::size_t x = kFirstProgramRecord; x <= kLastProgramRecord; ++x) {
    const std::size_t base = ProgramRecordBase(x);
    auto& steps = model.PgmSteps[x];
    for (std::size_t i = 0; i < kNameBytes; ++i) model.PgmNames[x][i + 1] = image[base + i];
    for (std::size_t s = 0; s < kStoredSteps; ++s) {
      steps[s + 1][0] = image[base + kDurationsOffset + s];
      for (std::size_t k = 0; k < kStateBytes; ++k) {
        steps[s + 1][k + 1] = image[base + kStatesOffset + kStateBytes * s + k];
      }
    }
    for (std::size_t i = 0; i < kSettingsBytes; ++i) {
      model.PgmSettings[x][i] = image[base + kSettingsOffset + i];
    }
  }
}

void PackProgramImage(const EditorModel& model, ProgramImage& image) {
  for (std::size_t i = 0; i < kProjectTextBytes; ++i) {
    image[kProjectTextAddress + i] = model.ProjectText[i];
  }
  for (std::size_t n = 0; n < kParamWordCount; ++n) {
    const std::int32_t word = std::clamp<std::int32_t>(model.ParamWords[n], 0, 0xFFFF);
    const std::size_t a = kParamWordsAddress + 2 * n;
    image[a] = static_cast<std::uint8_t>(word / 256);
    image[a + 1] = static_cast<std::uint8_t>(word % 256);
  }
  for (const auto& f : kFlashRecords) {
    const auto& steps = model.PgmSteps[f.record];
    for (std::size_t i = 0; i < kNameBytes; ++i) image[f.base + i] = model.PgmNames[f.record][i + 1];
    // The controller reads one duration only; the other fifteen are kept at 0.
    image[f.base + kFlashDurationOffset] = steps[1][0];
    for (std::size_t i = 1; i < kNameBytes; ++i) image[f.base + kFlashDurationOffset + i] = 0;
    for (std::size_t i = 0; i < kStateBytes; ++i) {
      image[f.base + kFlashStatesOffset + i] = steps[1][i + 1];
    }
  }
  for (std::size_t x = kFirstProgramRecord; x <= kLastProgramRecord; ++x) {
    const std::size_t base = ProgramRecordBase(x);
    const auto& steps = model.PgmSteps[x];
    for (std::size_t i = 0; i < kNameBytes; ++i) image[base + i] = model.PgmNames[x][i + 1];
    for (std::size_t s = 0; s < kStoredSteps; ++s) {
      image[base + kDurationsOffset + s] = steps[s + 1][0];
      for (std::size_t k = 0; k < kStateBytes; ++k) {
        image[base + kStatesOffset + kStateBytes * s + k] = steps[s + 1][k + 1];
      }
    }
    for (std::size_t i = 0; i < kSettingsBytes; ++i) {
      image[base + kSettingsOffset + i] = model.PgmSettings[x][i];
    }
  }
  // Last, because record 18's area starts with the weekly table: the table wins.
  for (std::size_t d = 0; d < kWeekTableDays; ++d) {
    for (std::size_t i = 0; i < kWeekDayStride; ++i) {
      image[kWeekTableAddress + kWeekDayStride * d + i] = model.WeekTable[d][i];
    }
  }
}

}  // namespace program
