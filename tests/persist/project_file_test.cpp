#include "persist/project_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "persist/path_text.h"
#include "persist/project_file_format.h"
#include "persist/text_lines.h"
#include "temp_folder.h"
#include "tests/program/model_fixture.h"

namespace persist {
namespace {

using program::ProgramImage;
using program::testing::RandomImage;
namespace fs = std::filesystem;

// The layout byte for byte, and that a load refills the model, are the project_file
// fuzz target's to check, on every seed.
class ProjectFile : public testing::TempFolder, public program::testing::ModelFixture {
 protected:
  // A Turkish name: Windows takes it only through the wide file calls.
  std::string prj = PathToUtf8(Dir() / PathFromUtf8("kavşak.prj"));
};

// The reader takes lower case, any line order, and ignores columns 1 and 6.
TEST_F(ProjectFile, ReaderTakesOtherToolsLinesAndDamagedLinesNeverWriteOutsideTheImage) {
  const auto original = RandomImage(9);
  const std::string formatted = FormatProjectFile(*original);
  std::string edited;
  for (auto view : SplitLines(formatted)) {
    std::string line(view);
    std::ranges::transform(line, line.begin(),
                           [](char c) { return c >= 'A' && c <= 'F' ? static_cast<char>(c + 32) : c; });
    line[0] = '#';
    line[5] = ' ';
    edited = line + "\n" + edited;  // bare LF, as some editors save
  }
  ParseProjectFile(edited, *image);
  EXPECT_EQ(*image, *original);

  // Malformed or short lines never write outside the image or over other lines.
  auto img = std::make_unique<ProgramImage>();
  img->fill(0x55);
  // A good line; a blank one, which must not wipe address 0; a non-hex address (the
  // line is skipped); a bad second field (only it is skipped); a line passing 0xFFFF;
  // short lines that zero what they lack, a lone CR or LF ending them, the last one
  // without a line end.
  const std::string text = "P0000:" + std::string(32, '1') + "\r\n\r\nP00G0:" + std::string(32, '2') +
                           "\r\nP0040:33Z3" + std::string(28, '3') + "\r\nPFFF8:" + std::string(32, '4') +
                           "\r\nP0010:" + std::string(32, 'E') +
                           "\r\nP0010:AB\rP0020:7\nP0030:" + std::string(32, 'E');
  const ProjectParse parse = ParseProjectFile(text, *img);
  const ProgramImage& m = *img;
  EXPECT_EQ(
      (std::vector<int>{m[0], m[0x0F], m[0x3F], m[0x40], m[0x41], m[0x42], m[0xFFF7], m[0xFFF8], m[0xFFFF]}),
      (std::vector<int>{0x11, 0x11, 0xEE, 0x33, 0x55, 0x33, 0x55, 0x44, 0x44}));
  EXPECT_EQ((std::vector<int>(m.begin() + 0x10, m.begin() + 0x21)),
            (std::vector<int>{0xAB, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x07}));
  EXPECT_EQ((std::vector<std::size_t>{parse.lines, parse.skippedLines, parse.badFields, parse.bytesPastEnd}),
            (std::vector<std::size_t>{7, 2, 1, 8}));

  // A whole project with these damaged lines in it still loads, and says what it skipped.
  Write(PathFromUtf8(prj), FormatProjectFile(*img) + text);
  const IoResult loaded = ProjectLoad(prj, *image, *model);
  EXPECT_TRUE(loaded.ok && loaded.message.find("atlandı") != std::string::npos) << loaded.message;
}

TEST_F(ProjectFile, AFailedLoadChangesNothing) {
  *image = *RandomImage(5);
  model->ProjectText[3] = 'k';
  // A document renamed ".prj": a few of its lines happen to read as project lines.
  std::string pdf = "%PDF-1.4\r\n";
  for (int i = 0; i < 40; ++i) pdf += "stream " + std::to_string(i) + " 0 obj endobj\r\n";
  for (int i = 0; i < 5; ++i) pdf += "x1234:" + std::string(32, '0') + "\r\n";
  const struct {
    std::string path, content;  // no content: nothing is written
  } cases[] = {{"", ""}, {prj, ""}, {PathToUtf8(Dir()), ""}, {prj, "\x89PNG\r\n\x1a\n\r\n"}, {prj, pdf}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path + " " + c.content.substr(0, 8));
    if (!c.content.empty()) Write(PathFromUtf8(c.path), c.content);
    const IoResult load = ProjectLoad(c.path, *image, *model);
    EXPECT_FALSE(load.ok);
    EXPECT_TRUE(c.path.empty() || load.message.find(c.path) != std::string::npos) << load.message;
    EXPECT_EQ(*image, *RandomImage(5));
    EXPECT_EQ(model->ProjectText[3], 'k');
  }
}

TEST_F(ProjectFile, SaveWithoutAPathWritesNothingAndAFullDiskKeepsTheOldFile) {
  EXPECT_FALSE(ProjectSave("", *image).ok);
  EXPECT_TRUE(fs::is_empty(Dir()));
  ASSERT_TRUE(ProjectSave(prj, *RandomImage(1)).ok);
  const std::string old = Read(PathFromUtf8(prj));
  if (!kFullDiskPossible) GTEST_SKIP() << "no way to fill the disk here";
  const IoResult full = OnFullDisk(4096, [&] { return ProjectSave(prj, *RandomImage(2)); });
  EXPECT_FALSE(full.ok || full.message.find("kavşak.prj") == std::string::npos) << full.message;
  // The old file whole, and no temporary file left.
  EXPECT_EQ(std::pair(Read(PathFromUtf8(prj)), std::distance(fs::directory_iterator(Dir()), {})),
            std::pair(old, std::ptrdiff_t{1}));
}

TEST_F(ProjectFile, SavedImagesLoadBackAndSaveReplacesAReadOnlyFileAndTheTargetOfALink) {
  ASSERT_TRUE(ProjectSave(prj, *RandomImage(1)).ok);
  fs::permissions(PathFromUtf8(prj), fs::perms::owner_read);
  ASSERT_TRUE(ProjectSave(prj, *RandomImage(3)).ok);
  ASSERT_TRUE(ProjectLoad(prj, *image, *model).ok);
  EXPECT_EQ(*image, *RandomImage(3));
  EXPECT_TRUE((fs::status(PathFromUtf8(prj)).permissions() & fs::perms::owner_write) != fs::perms::none);
#if !defined(_WIN32)
  const auto link = Path("link.prj");
  fs::create_symlink(PathFromUtf8(prj), link);
  ASSERT_TRUE(ProjectSave(PathToUtf8(link), *RandomImage(4)).ok);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Read(PathFromUtf8(prj)), FormatProjectFile(*RandomImage(4)));
#endif
}

TEST_F(ProjectFile, NextSaveClearsLeftoverTemporariesAndALockedFolderIsWrittenInPlace) {
  const auto folder = Path("stick");
  fs::create_directories(folder);
  const std::string file = PathToUtf8(folder / "kavsak.prj");
  // What a save killed before its rename leaves, and a stranger's file of a like name.
  Write(folder / ".kavsak.prj.0badf00d.tmp", "half");
  Write(folder / ".other.prj.0badf00d.tmp", "keep");
  ASSERT_TRUE(ProjectSave(file, *RandomImage(1)).ok);
  EXPECT_EQ(std::pair(fs::exists(folder / ".kavsak.prj.0badf00d.tmp"),
                      fs::exists(folder / ".other.prj.0badf00d.tmp")),
            std::pair(false, true));

  if (!LockFolder(folder)) GTEST_SKIP() << "no way to lock a folder here";
  const IoResult saved = ProjectSave(file, *RandomImage(2));
  EXPECT_NE(saved.message.find("doğrudan"), std::string::npos) << "the status line says how it was saved";
  EXPECT_EQ(Read(PathFromUtf8(file)), FormatProjectFile(*RandomImage(2)));
  EXPECT_FALSE(ProjectSave(PathToUtf8(folder / "new.prj"), *image).ok) << "a new file cannot be made there";
}

}  // namespace
}  // namespace persist
