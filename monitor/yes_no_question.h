#pragma once
// The box every question before a harmful command is asked in: "Evet" and "Hayır",
// "Hayır" the default and the answer to Escape, so a stray Enter harms nothing.

#include <QMessageBox>
#include <QString>

class QWidget;

namespace monitor {

struct YesNoQuestion {
  QMessageBox::Icon icon = QMessageBox::Question;
  QString title;
  QString text;
  QString objectName;  // lets a test find the box; the buttons are named "Evet" and "Hayir"
};

// True when the user chose "Evet".
bool AskYesNo(QWidget* parent, const YesNoQuestion& question);

}  // namespace monitor
