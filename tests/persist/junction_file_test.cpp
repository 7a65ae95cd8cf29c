#include "persist/junction_file.h"

#include <gtest/gtest.h>

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

// Without a file a project has the defaults; saved data reads back from the file beside
// the project; hand-edited files read; a failed read keeps the data and names the file.
TEST_F(JunctionFile, DefaultsSavedDataHandEditedFilesAndFailedReads) {
  JunctionData data = Sample();
  const IoResult none = JunctionLoad(prj, data);
  EXPECT_TRUE(none.ok && none.message.empty());
  EXPECT_EQ(data, JunctionData{});
  EXPECT_EQ(std::pair(JunctionLoad("", data).ok, JunctionSave("", data).ok), std::pair(true, false));

  ASSERT_TRUE(JunctionSave(prj, Sample()).ok);
  EXPECT_TRUE(Read(file).starts_with("KX7140 kavsak 1\r\n#"));
  ASSERT_TRUE(JunctionLoad(prj, data).ok);
  EXPECT_EQ(data, Sample());

  // BOM, bare LF, blanks and tabs, comments, an unknown key, a later line winning,
  // one intergreen for both directions, and no limits (defaults).
  Write(file,
        "\xEF\xBB\xBFKX7140 kavsak 1  \n\n  # yorum\ngrup\t3   B2  Doğu  \ngrup 3 B2 Batı\nrenk 3 mavi\n"
        "catisma 2 9 3\n");
  const IoResult read = JunctionLoad(prj, data);
  EXPECT_EQ(read.message, "Kavşak verisi yüklendi: " + PathToUtf8(file) + " (1 satır tanınmadı, atlandı)");
  EXPECT_EQ(std::tuple(program::GroupName(data, 3), program::MinIntergreen(data, 2, 9),
                       program::MinIntergreen(data, 9, 2), data.limits),
            std::tuple(std::string("B2 Batı"), 3, 3, program::CheckLimits{}));

  // A failed read keeps the data and names the file.
  data = Sample();
  Write(file, "KX7140 kavsak 1\r\n" + std::string(kMaxJunctionFileBytes, '#'));
  EXPECT_NE(JunctionLoad(prj, data).message.find("dosya çok büyük"), std::string::npos);
  Write(file, "KX7140 kavsak 1\r\ncatisma 1 2 x\r\n");
  EXPECT_EQ(JunctionLoad(prj, data).message, "Kavşak dosyası okunamadı: " + PathToUtf8(file) +
                                                 ", satır 2: saniye 0 ile 255 arasında olmalı: x");
  EXPECT_EQ(data, Sample());
}

TEST(JunctionFileFormat, ABadLineIsNamedAndChangesNothing) {
  const std::string h = "KX7140 kavsak 1\r\n";  // a good header before the line under test
  const std::pair<std::string, const char*> cases[] = {
      {"", "satır 1: kavşak dosyası değil"},
      {"P0000:00\r\n", "satır 1: kavşak dosyası değil"},
      {"KX7140 kavsak1\r\n", "satır 1: kavşak dosyası değil"},
      {"KX7140 kavsak 2\r\n", "satır 1: dosya sürümü 2, okunabilen sürüm 1"},
      {h + "grup 33 X\r\n", "satır 2: grup numarası 1 ile 32 arasında olmalı: 33"},
      {h + "\r\ngrup\r\n", "satır 3: eksik alan"},
      {h + "grup 1 123456789012345678901234567890123\r\n", "satır 2: grup adı 32 harften uzun"},
      {h + "yaya 0\r\n", "satır 2: grup numarası 1 ile 32 arasında olmalı: 0"},
      {h + "catisma 4 4 5\r\n", "satır 2: bir grup kendisiyle çatışamaz"},
      {h + "catisma 1 2 256\r\n", "satır 2: saniye 0 ile 255 arasında olmalı: 256"},
      {h + "catisma 1 2 -1\r\n", "satır 2: saniye 0 ile 255 arasında olmalı: -1"},
      {h + "catisma 1 2 5 5 5\r\n", "satır 2: fazla alan: 5"},
      {h + "en-kisa-sari 3 sn\r\n", "satır 2: fazla alan: sn"},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text);
    JunctionData data = Sample();
    const JunctionParse parse = ParseJunctionFile(text, data);
    EXPECT_EQ(std::pair(parse.ok, parse.message), std::pair(false, std::string(message)));
    EXPECT_EQ(data, Sample());
  }
}

}  // namespace
}  // namespace persist
