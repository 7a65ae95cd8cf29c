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
  void Set(std::string_view section, std::string_view key, std::string_view value) {
    ASSERT_TRUE(IniWrite(ini, section, key, value).ok);
  }
};

TEST_F(IniFile, KeysStandInReverseOrderOfAddingAndARewriteTakesTheNewCase) {
  Set("DEFAULT", "ProjectName", "a.prj");
  EXPECT_EQ(Read(ini), "[DEFAULT]\r\nProjectName=a.prj\r\n");

  Set("DEFAULT", "First", "1");
  Set("DEFAULT", "Second", "2");
  EXPECT_EQ(Read(ini), "[DEFAULT]\r\nSecond=2\r\nFirst=1\r\nProjectName=a.prj\r\n");

  Set("default", "PROJECTNAME", "b.prj");
  EXPECT_EQ(Read(ini), "[DEFAULT]\r\nSecond=2\r\nFirst=1\r\nPROJECTNAME=b.prj\r\n");
  EXPECT_EQ(Get("Default", "projectname"), "b.prj");
}

TEST_F(IniFile, AppendedSectionFollowsExactlyOneEmptyLine) {
  Write(ini, "[A]\r\n\r\n\r\n\r\nk=1\r\n\r\n\r\n\r\n");
  Set("B", "x", "2");
  EXPECT_EQ(Read(ini), "[A]\r\n\r\nk=1\r\n\r\n[B]\r\nx=2\r\n");
  Set("C", "y", "3");
  EXPECT_EQ(Read(ini), "[A]\r\n\r\nk=1\r\n\r\n[B]\r\nx=2\r\n\r\n[C]\r\ny=3\r\n");
}

TEST_F(IniFile, NothingIsTrimmed) {
  Write(ini, "[ S]\r\nk=1\r\n[S] \r\nk=2\r\n[T]\r\nk =3\r\n");
  EXPECT_EQ(Get("S", "k"), "");
  EXPECT_EQ(Get("T", "k"), "");
  Set("T", "k", " padded value ");
  EXPECT_EQ(Get("T", "k"), " padded value ");
  EXPECT_EQ(Read(ini), "[ S]\r\nk=1\r\n[S] \r\nk=2\r\n[T]\r\nk= padded value \r\nk =3\r\n");
  Set("S", "k", "4");
  EXPECT_EQ(Read(ini), "[ S]\r\nk=1\r\n[S] \r\nk=2\r\n[T]\r\nk= padded value \r\nk =3\r\n\r\n[S]\r\nk=4\r\n");
}

TEST_F(IniFile, WhatEndsASectionAndWhatIsNeverInOne) {
  Write(ini, "k=0\r\n[S]\r\na=x[y\r\nb=2\r\n[T]\r\nc=3\r\n[S]\r\nd=4\r\n");
  EXPECT_EQ(Get("S", "k"), "");   // before the first header
  EXPECT_EQ(Get("S", "a"), "");   // its line holds "["
  EXPECT_EQ(Get("S", "b"), "");   // below that line
  EXPECT_EQ(Get("S", "d"), "4");  // a second header of the same name counts too
  EXPECT_EQ(Get("T", "c"), "3");
  // The writer sees the section end at the same "[", so b counts as missing.
  Set("S", "b", "5");
  EXPECT_EQ(Read(ini), "k=0\r\n[S]\r\nb=5\r\na=x[y\r\nb=2\r\n[T]\r\nc=3\r\n[S]\r\nd=4\r\n");
}

TEST_F(IniFile, ReadingAMissingFileLeavesAnEmptyOne) {
  IoResult status;
  EXPECT_EQ(IniRead(ini, "S", "k", &status), "");
  EXPECT_TRUE(status.ok);
  ASSERT_TRUE(std::filesystem::is_regular_file(ini));
  EXPECT_EQ(std::filesystem::file_size(ini), 0u);
}

TEST_F(IniFile, BareLineFeedsAndALastLineWithoutLineEndAreLines) {
  Write(ini, "[S]\nk=1\nj=2");
  EXPECT_EQ(Get("S", "j"), "2");
  Set("S", "k", "3");
  EXPECT_EQ(Read(ini), "[S]\r\nk=3\r\nj=2\r\n");

  Write(ini, "[S]");  // a header on the last line is still this section's header
  Set("S", "k", "1");
  EXPECT_EQ(Read(ini), "[S]\r\nk=1\r\n");
}

TEST_F(IniFile, RefusedWritesLeaveTheFileAsItWas) {
  Set("S", "k", "1");
  const std::string before = Read(ini);
  const IoResult injected = IniWrite(ini, "S", "k", "2\r\n[X]");
  EXPECT_FALSE(injected.ok);
  EXPECT_FALSE(injected.message.empty());
  EXPECT_FALSE(IniWrite(ini, "S", "a[b", "2").ok);
  EXPECT_EQ(Read(ini), before);
}

TEST_F(IniFile, AnInaccessibleFileIsReportedNotFatal) {
  const auto nowhere = Path("missing-folder") / "kx7140.ini";
  IoResult status;
  EXPECT_EQ(IniRead(nowhere, "S", "k", &status), "");
  EXPECT_FALSE(status.ok);
  EXPECT_NE(status.message.find("kx7140.ini"), std::string::npos);
  EXPECT_FALSE(IniWrite(nowhere, "S", "k", "v").ok);
  EXPECT_FALSE(IniWrite(Dir(), "S", "k", "v").ok);  // a folder, not a file
#if !defined(_WIN32)
  ASSERT_EQ(mkfifo(Path("fifo.ini").c_str(), 0600), 0);
  EXPECT_FALSE(IniRead(Path("fifo.ini"), "S", "k", &status).empty() && status.ok);  // no hang
#endif
  EXPECT_FALSE(std::filesystem::exists(Path("missing-folder")));
}

}  // namespace
}  // namespace persist
