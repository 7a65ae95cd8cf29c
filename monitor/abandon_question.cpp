#include "monitor/abandon_question.h"

#include <QMessageBox>
#include <QPushButton>

namespace monitor {

bool AskAbandonDownload(QWidget* parent) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Program yükleme"),
                  QString::fromUtf8(kAbandonDownloadQuestion), QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("AbandonDownloadQuestion"));
  QPushButton* yes = box.addButton(QStringLiteral("Evet"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("Hayır"), QMessageBox::NoRole);
  yes->setObjectName(QStringLiteral("Evet"));
  no->setObjectName(QStringLiteral("Hayir"));
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

}  // namespace monitor
