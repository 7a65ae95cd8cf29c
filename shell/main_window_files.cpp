// The main window's file commands and the question before unsaved work is dropped.

#include <QMdiSubWindow>

#include "persist/path_text.h"
#include "persist/recovery_copy.h"
#include "program/editors/program_edit.h"
#include "program/image_work.h"
#include "shell/main_window.h"
#include "shell/project_junction.h"

namespace shell {

void MDIForm1::OpenProjectAsked() {
  if (ResolveUnsavedWork()) Apply(m_commands.ProjectOpen());
}

void MDIForm1::NewProjectAsked() {
  if (ResolveUnsavedWork()) Apply(m_commands.ProjectNew());
}

void MDIForm1::Apply(const CommandOutcome& outcome) {
  if (!outcome.message.isEmpty()) ShowStatus(outcome.message);
  if (outcome.reopenEditor) {
    // The editor shows the tables of the project now in memory, from "Program1".
    UnloadEditor();
    SetChildShown(Child::Editor, true);
    if (program::editors::Program_EDIT* editor = Editor()) {
      editor->SelectRecord(2);
      Slot(Child::Editor).window->setWindowTitle(QString::fromStdString(m_state.ProjectPath));
    }
  }
  StatusUpdate();
}

void MDIForm1::SetUnsavedQuestion(std::unique_ptr<UnsavedQuestion> question) {
  m_question = std::move(question);
}

bool MDIForm1::ProjectModified() const {
  if (program::WorkDiffers(m_state.image, m_state.fileImage) || JunctionModified(m_state)) return true;
  const program::editors::Program_EDIT* editor = Editor();
  return editor && editor->HasUnstoredChanges();
}

bool MDIForm1::ResolveUnsavedWork() { return ResolveWork(ProjectModified()); }

bool MDIForm1::ResolveWork(bool workAtStake) {
  if (!workAtStake) return true;
  switch (m_question->Ask()) {
    case UnsavedQuestion::Answer::Save: return SaveAllWork();
    case UnsavedQuestion::Answer::Discard: return true;
    case UnsavedQuestion::Answer::Cancel: return false;
  }
  return false;
}

bool MDIForm1::SaveAllWork() {
  if (DegisiklikleriKaydet) DegisiklikleriKaydet();
  const CommandOutcome saved =
      m_state.ProjectPath.empty() ? m_commands.ProjectSaveAs() : m_commands.ProjectSave();
  Apply(saved);
  return saved.done;
}

void MDIForm1::ApplyImageSave(CommandOutcome outcome) {
  const program::editors::Program_EDIT* editor = Editor();
  if (outcome.done && editor && editor->HasUnstoredChanges()) {
    outcome.message += QStringLiteral(" (düzenleyicide saklanmamış değişiklikler dahil değil)");
  }
  Apply(outcome);
}

QString MDIForm1::WriteRecoveryCopy() {
  auto work = std::make_unique<program::ProgramImage>(m_state.image);
  if (const program::editors::Program_EDIT* editor = Editor()) editor->PendingImage(*work);
  const persist::IoResult r = persist::WriteRecoveryCopy(
      m_state.ProjectPath, persist::PathToUtf8(m_state.paths.defaultProject), *work);
  return QString::fromStdString(r.message);
}

}  // namespace shell
