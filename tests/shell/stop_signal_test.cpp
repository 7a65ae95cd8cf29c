// Ctrl+C, a closed terminal and shutdown end the program as "Çıkış" does: settings written,
// exit status 0.

#include <QProcess>

#include <csignal>

#include "shell_fixture.h"

namespace {

class StopSignal : public ::testing::TestWithParam<int> {};

TEST_P(StopSignal, ClosesLikeExitAndWritesTheSettings) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // The settings live beside the program, so the program runs from a folder of its own.
  const QString program = dir.filePath("kx7140");
  ASSERT_TRUE(QFile::copy(QStringLiteral(KX7140_PATH), program));
  QProcess p;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  p.start(program, {"--port", dir.filePath("no-tty"), "--online"});
  ASSERT_TRUE(p.waitForStarted(5000));
  // The first start writes the settings file with the default project; once whole, the window is up.
  const auto ini = [&] { return QByteArray::fromStdString(shelltest::FileText(dir.filePath("kx7140.ini"))); };
  for (int i = 0; i < 200 && !ini().contains("Settings="); ++i) p.waitForFinished(50);
  ASSERT_TRUE(ini().contains("ProjectName=" + dir.filePath("adsiz.prj").toUtf8()));
  p.waitForFinished(300);
  ::kill(static_cast<pid_t>(p.processId()), GetParam());
  ASSERT_TRUE(p.waitForFinished(10000)) << "the program must end";
  EXPECT_EQ(std::pair(p.exitStatus(), p.exitCode()), std::pair(QProcess::NormalExit, 0));
  EXPECT_TRUE(ini().contains("ProjectName=\r\n")) << "no project was opened: the exit stores none";
  EXPECT_TRUE(ini().contains("PortName= 6\r\n"));
}

INSTANTIATE_TEST_SUITE_P(EverySignal, StopSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

}  // namespace
