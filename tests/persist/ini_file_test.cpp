#include "persist/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "temp_folder.h"

namespace persist {
namespace {

class IniFile : public testing::TempFolder {
 protected:
  std::filesystem::path ini = Path("kx7140.ini");
  std::string Get(std::string_view section, std::string_view key) { return IniRead(ini, section, key); }
};

TEST_F(IniFile, WritesKeepTheLayoutAroundTheKey) {
  const struct {
    const char *before, *section, *key, *value, *after;
  } cases[] = {
      {"", "DEFAULT", "ProjectName", "a.prj", "[DEFAULT]\r\nProjectName=a.prj\r\n"},
      // a rewrite takes the new case
      {"[DEFAULT]\r\nProjectName=a.prj\r\n", "default", "PROJECTNAME", "b.prj",
       "[DEFAULT]\r\nPROJECTNAME=b.prj\r\n"},
      // nothing is trimmed
      {"[ S]\r\nk=1\r\n[S] \r\nk=2\r\n[T]\r\nk =3\r\n", "T", "k", " padded value ",
       "[ S]\r\nk=1\r\n[S] \r\nk=2\r\n[T]\r\nk= padded value \r\nk =3\r\n"},
      // a padded header is another section
      {"[ S]\r\nk=1\r\n[S] \r\n", "S", "k", "4", "[ S]\r\nk=1\r\n[S] \r\n\r\n[S]\r\nk=4\r\n"},
      // a line with "[" ends the section; a new key goes first
      {"k=0\r\n[S]\r\na=x[y\r\nb=2\r\n", "S", "b", "5", "k=0\r\n[S]\r\nb=5\r\na=x[y\r\nb=2\r\n"},
      // bare LF and an open last line
      {"[S]\nk=1\nj=2", "S", "k", "3", "[S]\r\nk=3\r\nj=2\r\n"},
      // a header on the last line
      {"[S]", "S", "k", "1", "[S]\r\nk=1\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    Write(ini, c.before);
    ASSERT_TRUE(IniWrite(ini, c.section, c.key, c.value).ok);
    EXPECT_EQ(Read(ini), c.after);
    EXPECT_EQ(Get(c.section, c.key), c.value);
  }
}

// Also: a missing file is made, empty, and refused writes leave the file as it was.
TEST_F(IniFile, AnInaccessibleFileIsReportedNotFatal) {
  IoResult status;
  EXPECT_TRUE(IniRead(ini, "S", "k", &status).empty() && status.ok);
  EXPECT_TRUE(std::filesystem::is_regular_file(ini) && std::filesystem::is_empty(ini));
  Write(ini, "[S]\r\nk=1\r\n");
  const IoResult injected = IniWrite(ini, "S", "k", "2\r\n[X]");
  EXPECT_FALSE(injected.ok || injected.message.empty());
  EXPECT_FALSE(IniWrite(ini, "S", "a[b", "2").ok);
  EXPECT_EQ(Read(ini), "[S]\r\nk=1\r\n");
  const auto nowhere = Path("missing-folder") / "kx7140.ini";
  EXPECT_EQ(IniRead(nowhere, "S", "k", &status), "");
  EXPECT_FALSE(status.ok || status.message.find("kx7140.ini") == std::string::npos) << status.message;
  EXPECT_FALSE(IniWrite(nowhere, "S", "k", "v").ok || IniWrite(Dir(), "S", "k", "v").ok);  // Dir(): a folder
#if !defined(_WIN32)
  ASSERT_EQ(mkfifo(Path("fifo.ini").c_str(), 0600), 0);
  EXPECT_FALSE(IniRead(Path("fifo.ini"), "S", "k", &status).empty() && status.ok);  // no hang
#endif
  EXPECT_FALSE(std::filesystem::exists(Path("missing-folder")));
}

}  // namespace
}  // namespace persist
