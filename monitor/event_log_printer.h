#pragma once
// Where the printed event log goes: the default printer, one line per record, or a
// PDF file the engineer picks when the machine has no printer. Each page carries a
// header that says whose log it is and when it was read and printed, and its number.

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace monitor {

struct EventLogReport {
  QString project;          // the project's file, or empty
  QString controllerClock;  // as the window shows it
  QString printed;          // date and time of printing
  QString total;            // the controller's running total
  QStringList lines;
};

// The header lines of page `page` of `pages` (both from 1).
QStringList EventLogPageHeader(const EventLogReport& report, int page, int pages);
// Pages needed for `lines` record lines when a page holds `perPage` of them.
int EventLogPages(qsizetype lines, int perPage);

class EventLogSink {
 public:
  virtual ~EventLogSink() = default;
  // Prints the report and ends the job; returns "" when done, else what went wrong
  // (including a cancelled choice of PDF file), for the status line.
  virtual QString Print(const EventLogReport& report) = 0;
};

class PrinterSink : public EventLogSink {
 public:
  explicit PrinterSink(QWidget* dialogParent) : m_dialogParent(dialogParent) {}
  QString Print(const EventLogReport& report) override;

 private:
  QWidget* m_dialogParent;
};

// Lays the report out on pages of whatever paint device the printer stands for.
QString PrintLines(const EventLogReport& report, QPrinter& printer);

}  // namespace monitor
