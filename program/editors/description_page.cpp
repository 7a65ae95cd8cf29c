#include "program/editors/description_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "program/editors/cp1254_validator.h"
#include "program/model_text.h"

namespace program::editors {

DescriptionPage::DescriptionPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("DescriptionPage"));
  auto* label = new QLabel(QStringLiteral("Program Açıklaması (128 harf)"), this);
  label->setObjectName(QStringLiteral("Label_Aciklama"));
  m_TXT_Pgm_aciklamasi = new QLineEdit(this);
  m_TXT_Pgm_aciklamasi->setObjectName(QStringLiteral("TXT_Pgm_aciklamasi"));
  m_TXT_Pgm_aciklamasi->setMaxLength(kMaxChars);
  m_TXT_Pgm_aciklamasi->setValidator(new Cp1254Validator(m_TXT_Pgm_aciklamasi));
  label->setBuddy(m_TXT_Pgm_aciklamasi);

  auto* column = new QVBoxLayout(this);
  column->addWidget(label);
  column->addWidget(m_TXT_Pgm_aciklamasi);
  column->addStretch();
}

void DescriptionPage::Show(const EditorModel& model) {
  m_TXT_Pgm_aciklamasi->setText(QString::fromStdString(DescriptionText(model)));
}

void DescriptionPage::Store(EditorModel& model) const {
  StoreDescription(model, m_TXT_Pgm_aciklamasi->text().toStdString());
}

}  // namespace program::editors
