#include "shell/project_commands.h"

#include "persist/project_file.h"
#include "program/program_image_codec.h"
#include "shell/project_junction.h"

namespace shell {

namespace {

bool Cancelled(const QString& chosen) { return chosen.isEmpty() || chosen == QLatin1String(kProjectPattern); }

QString Text(const persist::IoResult& r) { return QString::fromStdString(r.message); }

// A junction file that could not be read says so after the load's note.
void WithJunctionNote(CommandOutcome& out, const QString& note) {
  if (note.isEmpty()) return;
  out.message = out.message.isEmpty() ? note : out.message + QStringLiteral("; ") + note;
}

}  // namespace

CommandOutcome ProjectCommands::ProjectLoad() {
  const persist::IoResult r = persist::ProjectLoad(m_state.ProjectPath, m_state.image, m_state.model);
  CommandOutcome out{r.ok, false, Text(r)};
  if (r.ok) m_state.fileImage = m_state.image;
  if (r.ok && out.message.isEmpty()) {
    out.message = QStringLiteral("Proje açıldı: ") + QString::fromStdString(m_state.ProjectPath);
  }
  if (r.ok) WithJunctionNote(out, LoadProjectJunction(m_state));
  return out;
}

CommandOutcome ProjectCommands::ProjectSave() {
  const persist::IoResult r = persist::ProjectSave(m_state.ProjectPath, m_state.image);
  CommandOutcome out{r.ok, false, Text(r)};
  if (r.ok) m_state.fileImage = m_state.image;
  if (r.ok && out.message.isEmpty()) {
    out.message = QStringLiteral("Proje kaydedildi: ") + QString::fromStdString(m_state.ProjectPath);
  }
  if (r.ok) out.message += SaveProjectJunction(m_state);
  return out;
}

CommandOutcome ProjectCommands::ProjectOpen() {
  const QString chosen = m_dialog.Choose(ProjectDialog::Kind::Open, QStringLiteral("Proje Dosyası AC"));
  if (Cancelled(chosen)) return {};
  return OpenProject(chosen);
}

CommandOutcome ProjectCommands::OpenProject(const QString& path) {
  const std::string file = path.toStdString();
  const persist::IoResult r = persist::ProjectLoad(file, m_state.image, m_state.model);
  if (!r.ok) return {false, false, Text(r)};
  m_state.ProjectPath = file;
  m_state.fileImage = m_state.image;
  CommandOutcome out{true, true, Text(r)};
  WithJunctionNote(out, LoadProjectJunction(m_state));
  return out;
}

CommandOutcome ProjectCommands::ProjectNew() {
  const QString chosen = m_dialog.Choose(ProjectDialog::Kind::Save, QStringLiteral("Yeni Proje Dosyası"));
  if (Cancelled(chosen)) return {};
  program::ProgramImage scratch{};
  const persist::IoResult saved = persist::ProjectSave(chosen.toStdString(), scratch);
  if (!saved.ok) {
    // The work in hand stays as it was when the new file cannot be made.
    return {false, false, Text(saved)};
  }
  program::ClearProgramImage(m_state.image);
  program::ClearEditorModel(m_state.model);
  m_state.ProjectPath = chosen.toStdString();
  CommandOutcome out = ProjectLoad();
  out.reopenEditor = true;
  if (out.done) out.message = QStringLiteral("Yeni proje: ") + chosen;
  return out;
}

CommandOutcome ProjectCommands::ProjectSaveAs() {
  // No title of its own: the dialog keeps the last one.
  const QString chosen = m_dialog.Choose(ProjectDialog::Kind::Save, std::nullopt);
  if (!Cancelled(chosen)) m_state.ProjectPath = chosen.toStdString();
  return ProjectSave();
}

}  // namespace shell
