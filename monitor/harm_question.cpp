#include "monitor/harm_question.h"

#include <QPointer>

#include "link/service_commands.h"
#include "monitor/yes_no_question.h"

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
    return AskYesNo(
        parent, {QMessageBox::Question, QStringLiteral("KX7140"), question, QStringLiteral("HarmQuestion")});
  };
}

}  // namespace monitor
