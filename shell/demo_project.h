#pragma once
// The demo's project file. It lives in a private folder made fresh for each run (only
// this user may enter it) and removed at the run's end: no fixed name in the shared
// temporary folder under which someone could plant a link, and no two demos sharing
// a file. A folder that has come to hold anything else (a recovery copy, a project
// saved there) is left in place.

#include <QString>
#include <QTemporaryDir>

#include "program/program_image.h"

namespace shell {

class DemoProject {
 public:
  explicit DemoProject(const program::ProgramImage& memory);
  ~DemoProject();
  DemoProject(const DemoProject&) = delete;
  DemoProject& operator=(const DemoProject&) = delete;
  // The project file, or empty when it could not be written.
  const QString& Path() const { return m_path; }

 private:
  QTemporaryDir m_folder;
  QString m_path;
};

}  // namespace shell
