#include "monitor/event_log_printer.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace monitor {

namespace {

QString OrDash(const QString& s) { return s.isEmpty() ? QStringLiteral("-") : s; }

}  // namespace

QStringList EventLogPageHeader(const EventLogReport& report, int page, int pages) {
  return {QStringLiteral("Alarm Listesi - Proje: %1").arg(OrDash(report.project)),
          QStringLiteral("İşlemci Saati: %1   Yazdırma: %2")
              .arg(OrDash(report.controllerClock), OrDash(report.printed)),
          QStringLiteral("Toplam Alarm Sayisi = %1   Sayfa %2 / %3")
              .arg(OrDash(report.total))
              .arg(page)
              .arg(pages)};
}

int EventLogPages(qsizetype lines, int perPage) {
  if (perPage < 1) perPage = 1;
  return std::max(1, static_cast<int>((lines + perPage - 1) / perPage));
}

QString PrintLines(const EventLogReport& report, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return QStringLiteral("Yazıcı açılamadı");
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSize(9);
  painter.setFont(font);
  const QRect page = painter.viewport();
  const int step = QFontMetrics(font, &printer).lineSpacing();
  // The header's lines and one blank line come before the records of each page.
  const int headerLines = static_cast<int>(EventLogPageHeader(report, 1, 1).size()) + 1;
  const int perPage = std::max(1, page.height() / step - 1 - headerLines);
  const int pages = EventLogPages(report.lines.size(), perPage);
  for (int p = 0; p < pages; ++p) {
    if (p > 0 && !printer.newPage()) break;
    int y = step;
    for (const QString& h : EventLogPageHeader(report, p + 1, pages)) {
      painter.drawText(0, y, h);
      y += step;
    }
    y += step;
    const qsizetype first = static_cast<qsizetype>(p) * perPage;
    const qsizetype end = std::min(report.lines.size(), first + perPage);
    for (qsizetype i = first; i < end; ++i) {
      painter.drawText(0, y, report.lines.at(i));
      y += step;
    }
  }
  painter.end();  // ends the job, so the page comes out
  return {};
}

QString PrinterSink::Print(const EventLogReport& report) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (!info.isNull()) {
    QPrinter printer(info, QPrinter::HighResolution);
    return PrintLines(report, printer);
  }
  // No printer here: the log can still be handed over as a file.
  const QString file =
      QFileDialog::getSaveFileName(m_dialogParent, QStringLiteral("Alarm Listesi PDF"),
                                   QStringLiteral("alarm_listesi.pdf"), QStringLiteral("*.pdf"));
  if (file.isEmpty()) return QStringLiteral("Yazdırma iptal edildi");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  const QString error = PrintLines(report, printer);
  return error.isEmpty() ? QString() : error + " (" + file + ")";
}

}  // namespace monitor
