#include "monitor/buffer_window.h"

#include <QListView>
#include <QPushButton>

#include "monitor/buffer_lines_model.h"
#include "monitor/twips.h"

namespace monitor {

FRM_Buffer::FRM_Buffer(const bus::SharedTables& tables, QWidget* parent)
    : QWidget(parent), m_image(tables.image) {
  setObjectName(QStringLiteral("FRM_Buffer"));
  setWindowTitle(QStringLiteral("Buffer"));
  setFixedSize(TwipSize(*this, 4725 + 1065 + 45, 4050));

  m_model = new BufferLinesModel(this);
  m_List1 = new QListView(this);
  m_List1->setObjectName(QStringLiteral("List1"));
  QFont fixed(QStringLiteral("Courier New"));
  fixed.setPointSizeF(8.25);
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setFixedPitch(true);
  m_List1->setFont(fixed);
  // Every line has the same height, so the view never measures 4096 rows.
  m_List1->setUniformItemSizes(true);
  m_List1->setModel(m_model);
  PlaceTwips(*m_List1, *this, 0, 0, 4740, 4050);

  m_Command1 = new QPushButton(QStringLiteral("Tazele"), this);
  m_Command1->setObjectName(QStringLiteral("Command1"));
  PlaceTwips(*m_Command1, *this, 4725, 0, 1065, 435);
  connect(m_Command1, &QPushButton::clicked, this, &FRM_Buffer::Command1Click);

  m_Command2 = new QPushButton(QStringLiteral("Yükle"), this);
  m_Command2->setObjectName(QStringLiteral("Command2"));
  PlaceTwips(*m_Command2, *this, 4725, 525, 1065, 435);
  connect(m_Command2, &QPushButton::clicked, this, &FRM_Buffer::Command2Click);

  FillList();
}

void FRM_Buffer::FillList() {
  m_List1->setEnabled(false);
  m_model->Fill(m_image);
  m_List1->setEnabled(true);
}

void FRM_Buffer::Command1Click() {
  m_Command1->setEnabled(false);
  FillList();
  m_Command1->setEnabled(true);
}

void FRM_Buffer::Command2Click() {
  m_model->Clear();
  if (ProjectLoad) ProjectLoad();
  FillList();
}

}  // namespace monitor
