#include "monitor/harm_question.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "link/service_commands.h"

namespace monitor {

const char* ServiceCommandQuestion(int index) {
  if (index < 0 || index >= static_cast<int>(bus::kServiceCommands.size())) return nullptr;
  switch (bus::kServiceCommands[static_cast<std::size_t>(index)].code) {
    case 1002: return kResetParametersQuestion;
    case 1003: return kResetAlarmListQuestion;
    case 1005: return kResetProgramChipQuestion;
    default: return nullptr;
  }
}

const char* DownloadQuestion(int index) {
  return index == 0 ? kSystemDownloadQuestion : kProgramDownloadQuestion;
}

HarmQuestion HarmQuestionBox(QWidget* parent) {
  return [parent = QPointer<QWidget>(parent)](const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("KX7140"), question, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("HarmQuestion"));
    QPushButton* yes = box.addButton(QStringLiteral("&Evet"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Hayır"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("Evet"));
    no->setObjectName(QStringLiteral("Hayir"));
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
  };
}

}  // namespace monitor
