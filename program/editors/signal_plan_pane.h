#pragma once
// "Sinyal Planı": the plan of the program shown in the step grid, with its print and
// its export as PDF, PNG or SVG. The editor hands it the plan at every grid change;
// what went wrong goes out as a status message.

#include <QWidget>
#include <functional>

#include "program/editors/signal_plan_export.h"

class QPrinter;
class QPushButton;

namespace program::editors {

class SignalPlanView;

class SignalPlanPane : public QWidget {
  Q_OBJECT

 public:
  explicit SignalPlanPane(QWidget* parent = nullptr);

  // The file to export to, empty when the user gives none. By default a save dialog.
  std::function<QString()> ChooseExportFile;
  // Sets the printer up; false when the user gives up. By default the print dialog.
  std::function<bool(QPrinter&)> ChoosePrinter;
  // The moment the header states; by default now.
  std::function<QDateTime()> Now;

  // The document without its date, which is taken at print or export.
  void SetDocument(PlanDocument doc);
  const PlanDocument& Document() const { return m_doc; }
  SignalPlanView& View() const { return *m_view; }

  void PrintClick();
  void ExportClick();

 signals:
  void statusMessage(const QString& text);

 private:
  PlanDocument Dated() const;

  PlanDocument m_doc;
  SignalPlanView* m_view = nullptr;
  QPushButton* m_print = nullptr;
  QPushButton* m_export = nullptr;
};

}  // namespace program::editors
