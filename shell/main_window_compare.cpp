// "Karşılaştır...": the work in hand (the editor's unsaved changes included) against
// another project file.

#include <memory>

#include "persist/project_file.h"
#include "program/editor_model.h"
#include "program/editors/program_edit.h"
#include "program/image_compare.h"
#include "shell/compare_window.h"
#include "shell/main_window.h"

namespace shell {

void MDIForm1::CompareAsked() {
  const QString other =
      m_dialog->ChooseOnce(ProjectDialog::Kind::Open, QStringLiteral("Karşılaştırılacak Proje"));
  if (other.isEmpty() || other == QLatin1String(kProjectPattern)) return;
  auto theirs = std::make_unique<program::ProgramImage>();
  auto scratch = std::make_unique<program::EditorModel>();
  const persist::IoResult loaded = persist::ProjectLoad(other.toStdString(), *theirs, *scratch);
  if (!loaded.ok) {
    ShowStatus(QString::fromStdString(loaded.message));
    return;
  }
  auto ours = std::make_unique<program::ProgramImage>(m_state.image);
  // The editor's changes count once there are any; before that its corrections of
  // out-of-range values would show as differences nobody made.
  const program::editors::Program_EDIT* editor = Editor();
  if (editor && editor->HasUnstoredChanges()) editor->PendingImage(*ours);
  const std::vector<program::ImageDifference> differences = program::CompareImages(*ours, *theirs);
  const QString mine = m_state.ProjectPath.empty() ? QStringLiteral("(proje yok)")
                                                   : QString::fromStdString(m_state.ProjectPath);
  QWidget* window = MakeCompareWindow(mine, other, differences, this);
  window->show();
  ShowStatus(differences.empty() ? QStringLiteral("Fark yok: ") + other
                                 : QStringLiteral("%1 fark: %2").arg(differences.size()).arg(other));
}

}  // namespace shell
