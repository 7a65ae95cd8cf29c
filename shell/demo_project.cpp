#include "shell/demo_project.h"

#include <QDir>
#include <QFile>

#include "persist/project_file.h"

namespace shell {

DemoProject::DemoProject(const program::ProgramImage& memory)
    : m_folder(QDir::temp().filePath(QStringLiteral("kx7140-demo-XXXXXX"))) {
  if (!m_folder.isValid()) return;
  m_folder.setAutoRemove(false);
  const QString file = m_folder.filePath(QStringLiteral("demo.prj"));
  if (persist::ProjectSave(file.toStdString(), memory).ok) m_path = file;
}

DemoProject::~DemoProject() {
  if (!m_folder.isValid()) return;
  if (!m_path.isEmpty()) QFile::remove(m_path);
  QDir().rmdir(m_folder.path());  // only while empty
}

}  // namespace shell
