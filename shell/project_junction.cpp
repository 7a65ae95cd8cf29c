#include "shell/project_junction.h"

#include <QFileInfo>

#include "persist/junction_file.h"

namespace shell {

QString LoadProjectJunction(AppState& state) {
  state.junction = program::JunctionData{};
  state.unreadableJunction.clear();
  const persist::IoResult r = persist::JunctionLoad(state.ProjectPath, state.junction);
  state.fileJunction = state.junction;
  if (r.ok) return QString::fromStdString(r.message);
  state.unreadableJunction = persist::JunctionPathFor(state.ProjectPath);
  return QString::fromStdString(r.message) + QStringLiteral(" (kavşak bilgileri boş açıldı)");
}

QString SaveProjectJunction(AppState& state) {
  const std::string path = persist::JunctionPathFor(state.ProjectPath);
  if (path.empty()) return {};
  const bool exists = QFileInfo::exists(QString::fromStdString(path));
  if (!exists && state.junction == program::JunctionData{}) return {};
  if (path == state.unreadableJunction && state.junction == state.fileJunction) {
    return QStringLiteral(" (okunamayan kavşak dosyasının üzerine yazılmadı)");
  }
  const persist::IoResult r = persist::JunctionSave(state.ProjectPath, state.junction);
  if (!r.ok) return QStringLiteral(" (") + QString::fromStdString(r.message) + QLatin1Char(')');
  state.fileJunction = state.junction;
  state.unreadableJunction.clear();
  return {};
}

bool JunctionModified(const AppState& state) { return state.junction != state.fileJunction; }

}  // namespace shell
