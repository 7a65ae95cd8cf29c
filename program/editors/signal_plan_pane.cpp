#include "program/editors/signal_plan_pane.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "program/editors/signal_plan_view.h"

namespace program::editors {

SignalPlanPane::SignalPlanPane(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SinyalPlani"));
  auto* title = new QLabel(QStringLiteral("Sinyal Planı"), this);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  m_print = new QPushButton(QStringLiteral("Yazdır..."), this);
  m_print->setObjectName(QStringLiteral("BTN_PlanYazdir"));
  m_export = new QPushButton(QStringLiteral("Dışa Aktar..."), this);
  m_export->setObjectName(QStringLiteral("BTN_PlanDisaAktar"));
  m_export->setToolTip(QStringLiteral("PDF, PNG veya SVG olarak kaydeder"));
  m_view = new SignalPlanView;

  auto* top = new QHBoxLayout;
  top->addWidget(title);
  top->addStretch();
  top->addWidget(m_print);
  top->addWidget(m_export);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addLayout(top);
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("PlanScroll"));
  scroll->setWidgetResizable(true);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidget(m_view);
  column->addWidget(scroll, 1);

  ChooseExportFile = [this] {
    QString filter;
    QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Sinyal Planını Kaydet"), QString(),
                                     QStringLiteral("PDF (*.pdf);;PNG (*.png);;SVG (*.svg)"), &filter);
    // A name typed without its ending gets the chosen kind's.
    const QString suffix = filter.section(QLatin1String("*"), 1, 1).chopped(1);
    if (!path.isEmpty() && !suffix.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += suffix;
    return path;
  };
  ChoosePrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
  };
  Now = [] { return QDateTime::currentDateTime(); };
  connect(m_print, &QPushButton::clicked, this, &SignalPlanPane::PrintClick);
  connect(m_export, &QPushButton::clicked, this, &SignalPlanPane::ExportClick);
}

void SignalPlanPane::SetDocument(PlanDocument doc) {
  m_doc = std::move(doc);
  m_view->SetPlan(m_doc.plan, m_doc.options);
}

PlanDocument SignalPlanPane::Dated() const {
  PlanDocument doc = m_doc;
  doc.when = Now ? Now() : QDateTime::currentDateTime();
  return doc;
}

void SignalPlanPane::PrintClick() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!ChoosePrinter || !ChoosePrinter(printer)) return;
  const QString error = PrintPlan(printer, Dated());
  emit statusMessage(error.isEmpty() ? QStringLiteral("Sinyal planı yazdırıldı") : error);
}

void SignalPlanPane::ExportClick() {
  const QString path = ChooseExportFile ? ChooseExportFile() : QString();
  if (path.isEmpty()) return;
  const QString error = ExportPlan(path, PlanFileKindFor(path), Dated());
  emit statusMessage(error.isEmpty() ? QStringLiteral("Sinyal planı kaydedildi: ") + path : error);
}

}  // namespace program::editors
