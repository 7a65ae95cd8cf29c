#include "monitor/event_log_printer.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace monitor {

QString PrintLines(const QStringList& lines, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return QStringLiteral("Yazıcı açılamadı");
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSize(9);
  painter.setFont(font);
  const QRect page = painter.viewport();
  const int step = QFontMetrics(font, &printer).lineSpacing();
  int y = step;
  for (const QString& line : lines) {
    if (y > page.height() - step) {
      if (!printer.newPage()) break;
      y = step;
    }
    painter.drawText(0, y, line);
    y += step;
  }
  painter.end();  // ends the job, so the page comes out
  return {};
}

QString PrinterSink::Print(const QStringList& lines) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (!info.isNull()) {
    QPrinter printer(info, QPrinter::HighResolution);
    return PrintLines(lines, printer);
  }
  // No printer here: the log can still be handed over as a file.
  const QString file = QFileDialog::getSaveFileName(m_dialogParent, QStringLiteral("Alarm Listesi PDF"),
                                                    QStringLiteral("alarm_listesi.pdf"),
                                                    QStringLiteral("*.pdf"));
  if (file.isEmpty()) return QStringLiteral("Yazdırma iptal edildi");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  const QString error = PrintLines(lines, printer);
  return error.isEmpty() ? QString() : error + " (" + file + ")";
}

}  // namespace monitor
