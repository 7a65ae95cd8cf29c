#include "editor_fixture.h"

namespace {

// Every area holds values the editor can show; the rest is noise that must be carried.
void FillSaneProject(program::ProgramImage& img, std::uint32_t seed) {
  std::mt19937 rng(seed);
  auto byte = [&](int lo = 0, int hi = 255) {
    return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(lo, hi)(rng));
  };
  for (auto& b : img) b = byte();
  const int described = byte(0, 127);
  for (int i = 0; i < 128; ++i) img[std::size_t(i)] = i >= 1 && i <= described ? byte(0x20, 0xFF) : 0;
  // Parameter words 0-9 within their spinners' ranges, 10-25 two switches each, the rest unused.
  const std::pair<int, int> ranges[10] = {{1, 8},   {0, 255}, {160, 215}, {225, 255}, {45, 47},
                                          {52, 55}, {15, 20}, {25, 30},   {0, 3},     {0, 1}};
  for (std::size_t n = 0; n < 64; ++n) {
    img[0x80 + 2 * n] = n >= 10 && n < 26 ? byte(0, 1) : 0;
    img[0x81 + 2 * n] = n < 10 ? byte(ranges[n].first, ranges[n].second) : n < 26 ? byte(0, 1) : 0;
  }
  auto name = [&](std::size_t at) {
    const int length = byte(0, 16);
    for (int k = 0; k < 16; ++k) img[at + std::size_t(k)] = k < length ? byte(1, 255) : 0;
  };
  for (std::size_t base : {program::kFlashRecord1Base, program::kFlashRecord0Base}) {
    name(base);
    for (std::size_t i = 1; i < 16; ++i) img[base + 0x10 + i] = 0;
  }
  for (std::size_t x = 2; x <= 17; ++x) {
    name(program::ProgramRecordBase(x));
    img[program::ProgramRecordBase(x) + program::kSettingsOffset] = byte(0, 97);  // waiting step
  }
  for (std::size_t e = 0; e < 7 * 16; ++e) img[0x9000 + 128 * (e / 16) + 4 * (e % 16) + 2] = byte(0, 17);
}

TEST(SaveRoundTrip, AnUntouchedProjectComesBackByteForByteThroughTheEditorsSave) {
  kxtest::EnsureApplication();
  for (std::uint32_t seed : {11u, 12u}) {
    kxtest::EditorHarness t;
    FillSaneProject(*t.image, seed);
    const program::ProgramImage original = *t.image;
    t.LoadImage();
    t.Open();
    for (int entry : {2, 11, 0, 5}) t.editor->SelectRecord(entry);
    t.editor->DegisiklikleriKaydet();
    for (std::size_t a = 0; a < program::kProgramImageSize; ++a) {
      ASSERT_EQ((*t.image)[a], original[a]) << "seed " << seed << " address " << a;
    }
  }
}

}  // namespace
