#pragma once
// Where the printed event log goes: the default printer, one line per record, or a
// PDF file the engineer picks when the machine has no printer.

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace monitor {

class EventLogSink {
 public:
  virtual ~EventLogSink() = default;
  // Prints the lines and ends the job; returns "" when done, else what went wrong
  // (including a cancelled choice of PDF file), for the status line.
  virtual QString Print(const QStringList& lines) = 0;
};

class PrinterSink : public EventLogSink {
 public:
  explicit PrinterSink(QWidget* dialogParent) : m_dialogParent(dialogParent) {}
  QString Print(const QStringList& lines) override;

 private:
  QWidget* m_dialogParent;
};

// Lays the lines out on pages of whatever paint device the printer stands for.
QString PrintLines(const QStringList& lines, QPrinter& printer);

}  // namespace monitor
