// The junction file travels with the project: read at open, written at save and
// save-as, and an unreadable one is never saved over unasked.

#include <QFile>

#include "persist/junction_file.h"
#include "shell_fixture.h"

namespace {

using shelltest::FileText;

struct ProjectJunction : shelltest::MainWindow {
  static void Write(const QString& path, const std::string& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(text.c_str()) == qint64(text.size()));
  }
  QString Save() {
    Act("Menu1_Kaydet").trigger();
    return Status();
  }
};

TEST_F(ProjectJunction, OpenReadsItAndSaveAndSaveAsWriteIt) {
  const QString bare = Project("bare.prj");
  Open(bare);
  Save();
  EXPECT_FALSE(QFile::exists(bare + ".kavsak")) << "a project without junction data gets no file";

  const QString project = Project("a.prj");
  Write(project + ".kavsak", "KX7140 kavsak 1\r\ngrup 1 A1 Kuzey\r\n");
  Open(project);
  EXPECT_EQ(state->junction.groupNames[0], "A1 Kuzey");

  state->junction.limits.minGreen = 9;
  Save();
  program::JunctionData reread;
  ASSERT_TRUE(persist::JunctionLoad(project.toStdString(), reread).ok);
  EXPECT_EQ(reread, state->junction);

  const QString copy = dir.filePath("b.prj");
  dialog->answers = {copy};
  Act("Menu1_FarkliKaydet").trigger();
  EXPECT_EQ(FileText(copy + ".kavsak"), FileText(project + ".kavsak"));
}

TEST_F(ProjectJunction, AnUnreadableFileIsKeptUntilTheUserChangesTheData) {
  const QString project = Project("a.prj");
  const std::string broken = "KX7140 kavsak 1\r\ngrup 40 Yok\r\n";
  Write(project + ".kavsak", broken);
  Open(project);
  EXPECT_TRUE(Status().contains(QStringLiteral("kavşak bilgileri boş açıldı"))) << Status().toStdString();
  EXPECT_EQ(state->junction, program::JunctionData{});

  EXPECT_TRUE(Save().contains(QStringLiteral("okunamayan kavşak dosyasının üzerine yazılmadı")));
  EXPECT_EQ(FileText(project + ".kavsak"), broken);

  program::SetGroupName(state->junction, 2, "Y1 yaya");
  Save();
  program::JunctionData reread;
  ASSERT_TRUE(persist::JunctionLoad(project.toStdString(), reread).ok);
  EXPECT_EQ(reread.groupNames[1], "Y1 yaya");
}

}  // namespace
