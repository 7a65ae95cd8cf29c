// Ctrl+C, logout and shutdown end the program as "Çıkış" does: settings written,
// exit status 0.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

namespace {

class StopSignal : public ::testing::TestWithParam<int> {};

TEST_P(StopSignal, ClosesLikeExitAndWritesTheSettings) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // The settings live beside the program, so the program runs from a folder of its own.
  const QString program = dir.filePath("kx7140");
  ASSERT_TRUE(QFile::copy(QStringLiteral(KX7140_PATH), program));
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  p.setProcessEnvironment(env);
  p.start(program, {"--port", dir.filePath("no-tty"), "--online"});
  ASSERT_TRUE(p.waitForStarted(5000));
  // The first start writes the settings file; wait for it so the window is up.
  for (int i = 0; i < 100 && !QFile::exists(dir.filePath("kx7140.ini")); ++i) p.waitForFinished(50);
  ASSERT_TRUE(QFile::exists(dir.filePath("kx7140.ini")));
  QFile::remove(dir.filePath("kx7140.ini"));
  p.waitForFinished(300);
  ::kill(static_cast<pid_t>(p.processId()), GetParam());
  ASSERT_TRUE(p.waitForFinished(10000)) << "the program must end";
  EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(p.exitCode(), 0);
  QFile ini(dir.filePath("kx7140.ini"));
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly)) << "the exit wrote the settings again";
  EXPECT_TRUE(ini.readAll().contains("PortName= 6\r\n"));
}

INSTANTIATE_TEST_SUITE_P(BothSignals, StopSignal, ::testing::Values(SIGTERM, SIGINT));

}  // namespace
