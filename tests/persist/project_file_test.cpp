#include "persist/project_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "persist/path_text.h"
#include "persist/project_file_format.h"
#include "persist/text_lines.h"
#include "temp_folder.h"

namespace persist {
namespace {

using program::EditorModel;
using program::ProgramImage;

std::unique_ptr<ProgramImage> RandomImage(std::uint32_t seed) {
  auto image = std::make_unique<ProgramImage>();
  std::mt19937 rng(seed);
  for (auto& b : *image) b = static_cast<std::uint8_t>(rng());
  return image;
}

class ProjectFile : public testing::TempFolder {
 protected:
  // A Turkish name: Windows takes it only through the wide file calls.
  std::string prj = PathToUtf8(Dir() / PathFromUtf8("kavşak.prj"));
  std::unique_ptr<ProgramImage> image = std::make_unique<ProgramImage>();
  std::unique_ptr<EditorModel> model = std::make_unique<EditorModel>();

  // Parses text into a fresh zero image.
  std::unique_ptr<ProgramImage> Parsed(std::string_view text, ProjectParse* parse = nullptr) {
    auto out = std::make_unique<ProgramImage>();
    const ProjectParse p = ParseProjectFile(text, *out);
    if (parse) *parse = p;
    return out;
  }
};

// The layout byte for byte is the project_file fuzz target's to check, on every seed.
TEST_F(ProjectFile, SavedImagesLoadBackByteForByteAndRefillTheModel) {
  const auto saved = RandomImage(1);
  ASSERT_TRUE(ProjectSave(prj, *saved).ok);
  const IoResult loaded = ProjectLoad(prj, *image, *model);
  ASSERT_TRUE(loaded.ok) << loaded.message;
  EXPECT_EQ(loaded.message, "Proje yüklendi: " + prj);
  ASSERT_EQ(*image, *saved);
  EXPECT_EQ(model->ProjectText[5], (*saved)[5]);
  EXPECT_EQ(model->PgmGroups[2][1][1], (*saved)[0x11C0] >> 4);
}

TEST_F(ProjectFile, ReaderTakesLowerCaseAnyLineOrderAndIgnoresColumnsOneAndSix) {
  const auto original = RandomImage(9);
  std::string text = FormatProjectFile(*original);
  std::vector<std::string> lines;
  for (auto line : SplitLines(text)) lines.emplace_back(line);
  std::reverse(lines.begin(), lines.end());
  std::string edited;
  for (auto& line : lines) {
    std::transform(line.begin(), line.end(), line.begin(),
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'F' ? c + 32 : c); });
    line[0] = '#';
    line[5] = ' ';
    edited += line + "\n";  // bare LF, as some editors save
  }
  EXPECT_EQ(*Parsed(edited), *original);
}

TEST_F(ProjectFile, ShortLinesReadTheDigitsTheyHaveAndZeroTheRest) {
  const std::string text =
      "P0010:" + std::string(32, 'E') + "\r\nP0010:AB\rP0020:7\nP0030:" + std::string(32, 'E');
  ProjectParse parse;
  const auto img = Parsed(text, &parse);
  EXPECT_EQ((*img)[0x10], 0xAB);
  EXPECT_TRUE(std::all_of(img->begin() + 0x11, img->begin() + 0x20, [](auto b) { return b == 0; }));
  EXPECT_EQ((*img)[0x20], 0x07);
  EXPECT_EQ((*img)[0x3F], 0xEE);  // the last line needs no line end
  EXPECT_EQ(parse.lines, 4u);
  EXPECT_EQ(parse.skippedLines, 0u);
}

TEST_F(ProjectFile, MalformedFieldsNeverWriteOutsideTheImageOrOverOtherLines) {
  auto img = std::make_unique<ProgramImage>();
  img->fill(0x55);
  // A good line; a blank one, which must not wipe address 0; a non-hex address (the
  // line is skipped); a bad second field (only it is skipped); a line passing 0xFFFF.
  const std::string text = "P0000:" + std::string(32, '1') + "\r\n\r\nP00G0:" + std::string(32, '2') +
                           "\r\nP0040:33Z3" + std::string(28, '3') + "\r\nPFFF8:" + std::string(32, '4') +
                           "\r\n";
  const ProjectParse parse = ParseProjectFile(text, *img);
  const ProgramImage& m = *img;
  EXPECT_EQ((std::vector<int>{m[0], m[0x0F], m[0x40], m[0x41], m[0x42], m[0xFFF7], m[0xFFF8], m[0xFFFF]}),
            (std::vector<int>{0x11, 0x11, 0x33, 0x55, 0x33, 0x55, 0x44, 0x44}));
  EXPECT_EQ((std::vector<std::size_t>{parse.lines, parse.skippedLines, parse.badFields, parse.bytesPastEnd}),
            (std::vector<std::size_t>{3, 2, 1, 8}));

  // A whole project with these damaged lines in it still loads, and says what it skipped.
  Write(PathFromUtf8(prj), FormatProjectFile(*img) + text);
  const IoResult loaded = ProjectLoad(prj, *image, *model);
  EXPECT_TRUE(loaded.ok);
  EXPECT_NE(loaded.message.find("atlandı"), std::string::npos);
}

TEST_F(ProjectFile, AFailedLoadChangesNothing) {
  *image = *RandomImage(5);
  const ProgramImage before = *image;
  model->ProjectText[3] = 'k';

  EXPECT_FALSE(ProjectLoad("", *image, *model).ok);
  EXPECT_FALSE(ProjectLoad(prj, *image, *model).ok);  // no such file
  EXPECT_FALSE(ProjectLoad(PathToUtf8(Dir()), *image, *model).ok);
  Write(PathFromUtf8(prj), "\x89PNG\r\n\x1a\n\r\n");  // not a project at all
  const IoResult wrong = ProjectLoad(prj, *image, *model);
  EXPECT_FALSE(wrong.ok);
  EXPECT_NE(wrong.message.find(prj), std::string::npos);
  // A document renamed ".prj": a few of its lines happen to read as project lines.
  std::string pdf = "%PDF-1.4\r\n";
  for (int i = 0; i < 40; ++i) pdf += "stream " + std::to_string(i) + " 0 obj endobj\r\n";
  for (int i = 0; i < 5; ++i) pdf += "x1234:" + std::string(32, '0') + "\r\n";
  Write(PathFromUtf8(prj), pdf);
  EXPECT_FALSE(ProjectLoad(prj, *image, *model).ok);

  EXPECT_EQ(*image, before);
  EXPECT_EQ(model->ProjectText[3], 'k');
}

TEST_F(ProjectFile, SaveWithoutAPathWritesNothingAndAFailedSaveKeepsTheOldFile) {
  EXPECT_FALSE(ProjectSave("", *image).ok);
  EXPECT_EQ(EntryCount(), 0u);

  ASSERT_TRUE(ProjectSave(prj, *RandomImage(1)).ok);  // a new name: the image, not zeros
  const std::string old = Read(PathFromUtf8(prj));
  EXPECT_EQ(*Parsed(old), *RandomImage(1));

  if (kFullDiskPossible) {
    const IoResult full = OnFullDisk(4096, [&] { return ProjectSave(prj, *RandomImage(2)); });
    EXPECT_FALSE(full.ok);
    EXPECT_NE(full.message.find("kavşak.prj"), std::string::npos);
    EXPECT_EQ(Read(PathFromUtf8(prj)), old);
    EXPECT_EQ(EntryCount(), 1u);
  }

  EXPECT_FALSE(ProjectSave(PathToUtf8(Path("missing-folder") / "a.prj"), *image).ok);
  EXPECT_FALSE(ProjectSave(PathToUtf8(Dir()), *image).ok);
}

TEST_F(ProjectFile, SaveReplacesAReadOnlyFileAndTheTargetOfALink) {
  namespace fs = std::filesystem;
  ASSERT_TRUE(ProjectSave(prj, *image).ok);
  fs::permissions(PathFromUtf8(prj), fs::perms::owner_read);
  const auto work = RandomImage(3);
  ASSERT_TRUE(ProjectSave(prj, *work).ok);
  EXPECT_EQ(*Parsed(Read(PathFromUtf8(prj))), *work);
  EXPECT_TRUE((fs::status(PathFromUtf8(prj)).permissions() & fs::perms::owner_write) != fs::perms::none);

#if !defined(_WIN32)
  const auto link = Path("link.prj");
  fs::create_symlink(PathFromUtf8(prj), link);
  ASSERT_TRUE(ProjectSave(PathToUtf8(link), *image).ok);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(*Parsed(Read(PathFromUtf8(prj))), *image);
#endif
}

TEST_F(ProjectFile, NextSaveClearsLeftoverTemporariesAndALockedFolderIsWrittenInPlace) {
  namespace fs = std::filesystem;
  const auto folder = Path("stick");
  fs::create_directories(folder);
  const std::string file = PathToUtf8(folder / "kavsak.prj");
  // What a save killed before its rename leaves, and a stranger's file of a like name.
  const auto leftover = folder / ".kavsak.prj.0badf00d.tmp";
  const auto stranger = folder / ".other.prj.0badf00d.tmp";
  Write(leftover, "half");
  Write(stranger, "keep");
  ASSERT_TRUE(ProjectSave(file, *RandomImage(1)).ok);
  EXPECT_FALSE(fs::exists(leftover));
  EXPECT_TRUE(fs::exists(stranger));

  if (!LockFolder(folder)) GTEST_SKIP() << "no way to lock a folder here";
  const IoResult saved = ProjectSave(file, *RandomImage(2));
  ASSERT_TRUE(saved.ok) << saved.message;
  EXPECT_NE(saved.message.find("doğrudan"), std::string::npos) << "the status line says how it was saved";
  EXPECT_EQ(*Parsed(Read(PathFromUtf8(file))), *RandomImage(2));
  EXPECT_FALSE(ProjectSave(PathToUtf8(folder / "new.prj"), *image).ok) << "a new file cannot be made there";
}

}  // namespace
}  // namespace persist
