#include "shell/project_dialog.h"

namespace shell {

CommonDialog::CommonDialog(QWidget* parent, const QString& startFolder)
    : m_dialog(parent), m_startFolder(startFolder) {
  m_dialog.setObjectName(QStringLiteral("CommonDialog1"));
  m_dialog.setDefaultSuffix(QStringLiteral("prj"));
  m_dialog.setNameFilter(QString::fromLatin1(kProjectPattern));
}

void CommonDialog::Prepare(Kind kind, const std::optional<QString>& title) {
  if (title) m_dialog.setWindowTitle(*title);
  m_dialog.setAcceptMode(kind == Kind::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  m_dialog.setFileMode(kind == Kind::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  m_dialog.setDirectory(m_startFolder);
  m_dialog.selectFile(QString::fromLatin1(kProjectPattern));
}

QString CommonDialog::Choose(Kind kind, const std::optional<QString>& title) {
  Prepare(kind, title);
  if (m_dialog.exec() != QDialog::Accepted || m_dialog.selectedFiles().isEmpty()) {
    return QString::fromLatin1(kProjectPattern);
  }
  return m_dialog.selectedFiles().constFirst();
}

QString CommonDialog::ChooseOnce(Kind kind, const QString& title) {
  const QString lasting = m_dialog.windowTitle();
  QString chosen = Choose(kind, title);
  m_dialog.setWindowTitle(lasting);
  return chosen;
}

}  // namespace shell
