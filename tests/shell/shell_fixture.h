#pragma once
// The main window on a folder of its own, with a scripted file dialog and a scripted
// answer to the unsaved-work question, so no test waits on a modal box.

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include <deque>
#include <memory>

#include "persist/project_file.h"
#include "persist/settings_location.h"
#include "shell/main_window.h"
#include "tests/monitor/views_app.h"

namespace shelltest {

// Answers each file question from `answers`, then as a cancelled dialog does.
struct ScriptedDialog : shell::ProjectDialog {
  std::deque<QString> answers;
  QString Choose(Kind, const std::optional<QString>&) override {
    const QString a = answers.empty() ? QStringLiteral("*.prj") : answers.front();
    if (!answers.empty()) answers.pop_front();
    return a;
  }
};

inline std::string FileText(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

struct ScriptedQuestion : shell::UnsavedQuestion {
  Answer answer = Answer::Cancel;
  int asked = 0;
  Answer Ask() override {
    ++asked;
    return answer;
  }
};

class MainWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { kxtest::EnsureApplication(); }
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    state = std::make_unique<shell::AppState>();
    state->paths = persist::SettingsPathsIn(dir.path().toStdString());
    shell::ShellOptions options;
    options.portDevice = dir.filePath("no-such-tty");
    window = std::make_unique<shell::MDIForm1>(*state, options,
                                               std::unique_ptr<ScriptedDialog>(dialog = new ScriptedDialog));
    window->SetUnsavedQuestion(std::unique_ptr<ScriptedQuestion>(question = new ScriptedQuestion));
    window->Start();
    window->StatusUpdate();
  }
  QAction& Act(const char* name) { return kxtest::Child<QAction>(*window, name); }
  // The toolbar's actions that are enabled, each followed by a space.
  std::string EnabledTools() {
    std::string v;
    for (const char* n :
         {"Open", "New", "Save", "SaveAs", "Lamp_Panel", "Buffer_Panel", "Comm_Panel", "Edit_Panel"})
      v += Act(n).isEnabled() ? std::string(n) + " " : "";
    return v;
  }
  QString Status() { return kxtest::Child<QLabel>(*window, "StatusPanel1").text(); }
  QString Project(const char* name, std::uint8_t seed = 3) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    program::ProgramImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + seed);
    EXPECT_TRUE(persist::ProjectSave(path.toStdString(), image).ok);
    return path;
  }
  void Open(const QString& path) {
    dialog->answers = {path};
    Act("Open").trigger();
  }

  QTemporaryDir dir;
  std::unique_ptr<shell::AppState> state;
  ScriptedDialog* dialog = nullptr;
  ScriptedQuestion* question = nullptr;
  std::unique_ptr<shell::MDIForm1> window;
};

}  // namespace shelltest
