#include "persist/junction_file.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <unistd.h>
#endif

#include <filesystem>
#include <string>

#include "persist/junction_file_format.h"
#include "persist/path_text.h"
#include "temp_folder.h"

namespace persist {
namespace {

using program::JunctionData;

JunctionData Sample() {
  JunctionData d;
  program::SetGroupName(d, 1, "A1 Kuzey");
  program::SetGroupName(d, 7, "Y1 yaya geçidi ŞĞİ");
  d.pedestrian[6] = d.pedestrian[7] = true;
  program::SetConflict(d, 1, 2, 5, 4);
  program::SetConflict(d, 7, 3, 6, 6);
  d.limits = {4, 2, 7};
  return d;
}

class JunctionFile : public testing::TempFolder {
 protected:
  std::string prj = PathToUtf8(Path("kavsak1.prj"));
  std::filesystem::path file = Path("kavsak1.prj.kavsak");
};

TEST_F(JunctionFile, SavedDataReadsBackFromTheFileBesideTheProject) {
  const JunctionData saved = Sample();
  const IoResult written = JunctionSave(prj, saved);
  ASSERT_TRUE(written.ok) << written.message;
  EXPECT_EQ(written.message, "Kavşak verisi kaydedildi: " + PathToUtf8(file));

  const std::string text = Read(file);
  EXPECT_TRUE(text.starts_with("KX7140 kavsak 1\r\n#"));
  const std::string facts = text.substr(text.find("\r\ngrup") + 2);
  EXPECT_EQ(facts,
            "grup 1 A1 Kuzey\r\ngrup 7 Y1 yaya geçidi ŞĞİ\r\nyaya 7 8\r\ncatisma 1 2 5 4\r\n"
            "catisma 3 7 6 6\r\nen-kisa-sari 4\r\nen-kisa-kirmizi-sari 2\r\nen-kisa-yesil 7\r\n");

  JunctionData loaded;
  const IoResult read = JunctionLoad(prj, loaded);
  ASSERT_TRUE(read.ok) << read.message;
  EXPECT_EQ(loaded, saved);
}

TEST_F(JunctionFile, AProjectWithoutOneHasTheDefaults) {
  JunctionData data = Sample();
  const IoResult read = JunctionLoad(prj, data);
  EXPECT_TRUE(read.ok);
  EXPECT_TRUE(read.message.empty());
  EXPECT_EQ(data, JunctionData{});
  EXPECT_TRUE(JunctionLoad("", data).ok);
}

TEST_F(JunctionFile, HandEditedFilesRead) {
  // BOM, bare LF, blanks and tabs, comments, an unknown key, a later line winning,
  // one intergreen for both directions, and no limits (defaults).
  Write(file,
        "\xEF\xBB\xBFKX7140 kavsak 1  \n"
        "\n  # yorum\n"
        "grup\t3   B2  Doğu  \n"
        "grup 3 B2 Batı\n"
        "renk 3 mavi\n"
        "catisma 2 9 3\n");
  JunctionData data;
  const IoResult read = JunctionLoad(prj, data);
  ASSERT_TRUE(read.ok) << read.message;
  EXPECT_EQ(read.message, "Kavşak verisi yüklendi: " + PathToUtf8(file) + " (1 satır tanınmadı, atlandı)");
  EXPECT_EQ(program::GroupName(data, 3), "B2 Batı");
  EXPECT_EQ(program::MinIntergreen(data, 2, 9), 3);
  EXPECT_EQ(program::MinIntergreen(data, 9, 2), 3);
  EXPECT_EQ(data.limits, program::CheckLimits{});
}

TEST(JunctionFileFormat, ABadLineIsNamedAndChangesNothing) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "satır 1: kavşak dosyası değil"},
      {"P0000:00\r\n", "satır 1: kavşak dosyası değil"},
      {"KX7140 kavsak1\r\n", "satır 1: kavşak dosyası değil"},
      {"KX7140 kavsak 2\r\n", "satır 1: dosya sürümü 2, okunabilen sürüm 1"},
      {"KX7140 kavsak 1\r\ngrup 33 X\r\n", "satır 2: grup numarası 1 ile 32 arasında olmalı: 33"},
      {"KX7140 kavsak 1\r\n\r\ngrup\r\n", "satır 3: eksik alan"},
      {"KX7140 kavsak 1\r\ngrup 1 \xC3(\r\n", "satır 2: grup adı geçersiz UTF-8"},
      {"KX7140 kavsak 1\r\ngrup 1 a\tb\r\n", "satır 2: grup adı kontrol karakteri içeriyor"},
      {"KX7140 kavsak 1\r\ngrup 1 123456789012345678901234567890123\r\n",
       "satır 2: grup adı 32 harften uzun"},
      {"KX7140 kavsak 1\r\nyaya 0\r\n", "satır 2: grup numarası 1 ile 32 arasında olmalı: 0"},
      {"KX7140 kavsak 1\r\ncatisma 4 4 5\r\n", "satır 2: bir grup kendisiyle çatışamaz"},
      {"KX7140 kavsak 1\r\ncatisma 1 2 256\r\n", "satır 2: saniye 0 ile 255 arasında olmalı: 256"},
      {"KX7140 kavsak 1\r\ncatisma 1 2 -1\r\n", "satır 2: saniye 0 ile 255 arasında olmalı: -1"},
      {"KX7140 kavsak 1\r\ncatisma 1 2 5 5 5\r\n", "satır 2: fazla alan: 5"},
      {"KX7140 kavsak 1\r\nen-kisa-yesil\r\n", "satır 2: eksik alan"},
      {"KX7140 kavsak 1\r\nen-kisa-sari 3 sn\r\n", "satır 2: fazla alan: sn"},
  };
  for (const auto& c : cases) {
    JunctionData data = Sample();
    const JunctionParse parse = ParseJunctionFile(c.text, data);
    EXPECT_FALSE(parse.ok) << c.text;
    EXPECT_EQ(parse.message, c.message) << c.text;
    EXPECT_EQ(data, Sample()) << c.text;
  }
}

TEST_F(JunctionFile, FailuresKeepTheDataAndTheFile) {
  JunctionData data = Sample();
  Write(file, "KX7140 kavsak 1\r\n" + std::string(kMaxJunctionFileBytes, '#'));
  IoResult read = JunctionLoad(prj, data);
  EXPECT_FALSE(read.ok);
  EXPECT_NE(read.message.find("dosya çok büyük"), std::string::npos) << read.message;

  Write(file, "KX7140 kavsak 1\r\ncatisma 1 2 x\r\n");
  read = JunctionLoad(prj, data);
  EXPECT_EQ(read.message, "Kavşak dosyası okunamadı: " + PathToUtf8(file) +
                              ", satır 2: saniye 0 ile 255 arasında olmalı: x");
  EXPECT_EQ(data, Sample());

#if !defined(_WIN32)
  if (geteuid() != 0) {  // root writes into a read-only folder anyway
    std::filesystem::permissions(Dir(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(JunctionSave(prj, JunctionData{}).ok);
    std::filesystem::permissions(Dir(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(Read(file), "KX7140 kavsak 1\r\ncatisma 1 2 x\r\n");
  }
#endif
  EXPECT_FALSE(JunctionSave("", data).ok);
}

}  // namespace
}  // namespace persist
