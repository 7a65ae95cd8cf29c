#include "monitor/abandon_question.h"

#include "monitor/yes_no_question.h"

namespace monitor {

bool AskAbandonDownload(QWidget* parent) {
  return AskYesNo(parent,
                  {QMessageBox::Warning, QStringLiteral("Program yükleme"),
                   QString::fromUtf8(kAbandonDownloadQuestion), QStringLiteral("AbandonDownloadQuestion")});
}

}  // namespace monitor
