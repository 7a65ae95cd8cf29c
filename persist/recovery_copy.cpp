#include "persist/recovery_copy.h"

#include "persist/file_access.h"
#include "persist/path_text.h"
#include "persist/project_file.h"

namespace persist {

std::string RecoveryPath(std::string_view projectPath) {
  return std::string(projectPath) + std::string(kRecoverySuffix);
}

IoResult WriteRecoveryCopy(std::string_view projectPath, std::string_view fallbackProject,
                           const program::ProgramImage& image) {
  IoResult written = IoResult::Fail("Kurtarma kopyası yazılamadı");
  for (const std::string_view project : {projectPath, fallbackProject}) {
    if (project.empty()) continue;
    const std::string path = RecoveryPath(project);
    written = ProjectSave(path, image);
    if (written) return IoResult::Ok("Kurtarma kopyası yazıldı: " + path);
  }
  return IoResult::Fail("Kurtarma kopyası yazılamadı: " + written.message);
}

std::optional<std::string> FindRecoveryCopy(std::initializer_list<std::string_view> projectPaths) {
  for (const std::string_view project : projectPaths) {
    if (project.empty()) continue;
    const std::string path = RecoveryPath(project);
    if (FileExists(PathFromUtf8(path))) return path;
  }
  return std::nullopt;
}

}  // namespace persist
