#include <QTemporaryDir>
#include <random>

#include "editor_fixture.h"
#include "persist/project_file.h"
#include "program/memory_map.h"

namespace {

// A project as the editor writes them: every area holds values the editor
// can show, and the rest of the memory is noise that must be carried.
void FillSaneProject(program::ProgramImage& img, std::uint32_t seed) {
  std::mt19937 rng(seed);
  auto byte = [&](int lo = 0, int hi = 255) {
    return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(lo, hi)(rng));
  };
  for (auto& b : img) b = byte();

  img[0] = 0;
  const int described = byte(0, 127);
  for (int i = 1; i < 128; ++i) img[static_cast<std::size_t>(i)] = i <= described ? byte(0x20, 0xFF) : 0;
  const int words[26] = {byte(1, 8),   byte(),       byte(160, 215), byte(225, 255), byte(45, 47),
                         byte(52, 55), byte(15, 20), byte(25, 30),   byte(0, 3),     byte(0, 1)};
  for (int n = 0; n < 64; ++n) {
    int w = n < 10 ? words[n] : 0;
    if (n >= 10 && n < 26) w = 256 * byte(0, 1) + byte(0, 1);
    img[0x80 + 2 * static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(w >> 8);
    img[0x81 + 2 * static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(w & 0xFF);
  }
  auto name = [&](std::size_t at) {
    const int length = byte(0, 16);
    for (int k = 0; k < 16; ++k) img[at + static_cast<std::size_t>(k)] = k < length ? byte(1, 255) : 0;
  };
  for (std::size_t base : {program::kFlashRecord1Base, program::kFlashRecord0Base}) {
    name(base);
    for (std::size_t i = 1; i < 16; ++i) img[base + 0x10 + i] = 0;
  }
  for (std::size_t x = 2; x <= 17; ++x) {
    name(program::ProgramRecordBase(x));
    img[program::ProgramRecordBase(x) + program::kSettingsOffset] = byte(0, 97);  // waiting step
  }
  const std::uint8_t codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
  for (std::size_t d = 0; d < 7; ++d) {
    for (std::size_t e = 0; e < 16; ++e) img[0x9000 + 128 * d + 4 * e + 2] = codes[byte(0, 17)];
  }
}

TEST(SaveRoundTrip, AnUntouchedProjectComesBackByteForByteThroughSaveAndFile) {
  kxtest::EnsureApplication();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
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

    const std::string path = dir.filePath(QStringLiteral("p%1.prj").arg(seed)).toStdString();
    ASSERT_TRUE(persist::ProjectSave(path, *t.image).ok);
    kxtest::EditorHarness loaded;
    ASSERT_TRUE(persist::ProjectLoad(path, *loaded.image, *loaded.model).ok);
    EXPECT_TRUE(*loaded.image == *t.image) << "seed " << seed;
  }
}

}  // namespace
