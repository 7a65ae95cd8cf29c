// The junction file travels with the project: read at open, written at save and
// save-as, and an unreadable one is never saved over unasked.

#include "persist/junction_file.h"
#include "shell_fixture.h"

namespace {

using shelltest::FileText;

struct ProjectJunction : shelltest::MainWindow {
  QString WithJunction(const char* name, const std::string& text) {
    const QString project = Project(name);
    QFile f(project + ".kavsak");
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(text.c_str()) == qint64(text.size()));
    return project;
  }
  program::JunctionData Reread(const QString& project) {
    program::JunctionData reread;
    EXPECT_TRUE(persist::JunctionLoad(project.toStdString(), reread).ok);
    return reread;
  }
};

TEST_F(ProjectJunction, OpenReadsItSaveWritesItAndAnUnreadableOneIsKeptUntilChanged) {
  const QString bare = Project("bare.prj");
  Open(bare);
  Act("Menu1_Kaydet").trigger();
  EXPECT_FALSE(QFile::exists(bare + ".kavsak")) << "a project without junction data gets no file";

  const std::string broken = "KX7140 kavsak 1\r\ngrup 40 Yok\r\n";
  const QString kept = WithJunction("kept.prj", broken);
  Open(kept);
  EXPECT_TRUE(Status().contains(QStringLiteral("kavşak bilgileri boş açıldı"))) << Status().toStdString();
  EXPECT_EQ(state->junction, program::JunctionData{});
  Act("Menu1_Kaydet").trigger();
  EXPECT_TRUE(Status().contains(QStringLiteral("okunamayan kavşak dosyasının üzerine yazılmadı")));
  EXPECT_EQ(FileText(kept + ".kavsak"), broken);
  program::SetGroupName(state->junction, 2, "Y1 yaya");
  Act("Menu1_Kaydet").trigger();
  EXPECT_EQ(Reread(kept).groupNames[1], "Y1 yaya");

  const QString project = WithJunction("a.prj", "KX7140 kavsak 1\r\ngrup 1 A1 Kuzey\r\n");
  Open(project);
  EXPECT_EQ(state->junction.groupNames[0], "A1 Kuzey");
  state->junction.limits.minGreen = 9;
  Act("Menu1_Kaydet").trigger();
  EXPECT_EQ(Reread(project), state->junction);
  const QString copy = dir.filePath("b.prj");
  dialog->answers = {copy};
  Act("Menu1_FarkliKaydet").trigger();
  EXPECT_EQ(FileText(copy + ".kavsak"), FileText(project + ".kavsak"));
}

}  // namespace
