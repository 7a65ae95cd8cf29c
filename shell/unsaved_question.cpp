#include "shell/unsaved_question.h"

#include <QMessageBox>
#include <QPushButton>

namespace shell {

UnsavedQuestion::Answer UnsavedQuestionBox::Ask() {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("KX7140"),
                  QStringLiteral("Kaydedilmemiş değişiklikler var."), QMessageBox::NoButton, m_parent);
  box.setObjectName(QStringLiteral("UnsavedQuestion"));
  QPushButton* save = box.addButton(QStringLiteral("Kaydet"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("Kaydetme"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("İptal"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return Answer::Save;
  if (box.clickedButton() == discard) return Answer::Discard;
  return Answer::Cancel;
}

}  // namespace shell
