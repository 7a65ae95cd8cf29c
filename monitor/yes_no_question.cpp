#include "monitor/yes_no_question.h"

#include <QPushButton>

namespace monitor {

bool AskYesNo(QWidget* parent, const YesNoQuestion& question) {
  QMessageBox box(question.icon, question.title, question.text, QMessageBox::NoButton, parent);
  box.setObjectName(question.objectName);
  QPushButton* yes = box.addButton(QStringLiteral("&Evet"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&Hayır"), QMessageBox::NoRole);
  yes->setObjectName(QStringLiteral("Evet"));
  no->setObjectName(QStringLiteral("Hayir"));
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

}  // namespace monitor
