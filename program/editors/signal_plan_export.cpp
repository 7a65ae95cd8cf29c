#include "program/editors/signal_plan_export.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

namespace program::editors {

namespace {

double HeaderHeight(const QFont& font, const PlanDocument& doc) {
  const QFontMetricsF fm(font);
  return fm.height() * (static_cast<double>(PlanHeaderLines(doc).size()) + 0.8);
}

QSizeF PageSize(const QFont& font, const PlanDocument& doc) {
  const QSizeF plan = SignalPlanNaturalSize(doc.plan, font, doc.options);
  return {plan.width() + 16, plan.height() + HeaderHeight(font, doc) + 16};
}

QString Failed(const QString& path, const QString& why) {
  return QStringLiteral("Plan kaydedilemedi: %1: %2").arg(path, why);
}

}  // namespace

QStringList PlanHeaderLines(const PlanDocument& doc) {
  return {QStringLiteral("Proje: ") + (doc.project.isEmpty() ? QStringLiteral("-") : doc.project),
          QStringLiteral("Program: ") + doc.program,
          QStringLiteral("Tarih: ") + doc.when.toString(QStringLiteral("dd.MM.yyyy HH:mm")),
          CycleText(doc.plan.cycleSeconds)};
}

void PaintPlanPage(QPainter& p, const QRectF& page, const PlanDocument& doc) {
  p.save();
  p.fillRect(page, Qt::white);
  p.setPen(Qt::black);
  const QFontMetricsF fm(p.font());
  double y = page.top();
  for (const QString& line : PlanHeaderLines(doc)) {
    p.drawText(QRectF(page.left(), y, page.width(), fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
               fm.elidedText(line, Qt::ElideMiddle, page.width()));
    y += fm.height();
  }
  const double header = HeaderHeight(p.font(), doc);
  SignalPlanPaintOptions options = doc.options;
  options.fillBackground = false;
  PaintSignalPlan(p, QRectF(page.left(), page.top() + header, page.width(), page.height() - header), doc.plan,
                  options);
  p.restore();
}

PlanFileKind PlanFileKindFor(const QString& path) {
  if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) return PlanFileKind::Png;
  if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) return PlanFileKind::Svg;
  return PlanFileKind::Pdf;
}

QString ExportPlan(const QString& path, PlanFileKind kind, const PlanDocument& doc) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return Failed(path, file.errorString());
  const QFont font;
  const QSizeF size = PageSize(font, doc);
  bool painted = false;
  switch (kind) {
    case PlanFileKind::Pdf: {
      QPdfWriter pdf(&file);
      pdf.setTitle(QStringLiteral("Sinyal Planı - ") + doc.program);
      pdf.setPageLayout(
          QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));
      QPainter p;
      if ((painted = p.begin(&pdf))) {
        // Lay the plan out at screen size, then scale it onto the page, so the labels
        // keep their proportions whatever the writer's resolution.
        const double scale = std::min(pdf.width() / size.width(), pdf.height() / size.height());
        p.scale(scale, scale);
        PaintPlanPage(p, QRectF(QPointF(0, 0), size), doc);
        p.end();
      }
      break;
    }
    case PlanFileKind::Png: {
      // Twice the screen size: sharp enough to print or paste into a report.
      QImage image((size * 2).toSize(), QImage::Format_RGB32);
      image.fill(Qt::white);
      QPainter p;
      if ((painted = p.begin(&image))) {
        p.scale(2, 2);
        PaintPlanPage(p, QRectF(QPointF(0, 0), size), doc);
        p.end();
        painted = image.save(&file, "PNG");
      }
      break;
    }
    case PlanFileKind::Svg: {
      QSvgGenerator svg;
      svg.setOutputDevice(&file);
      svg.setSize(size.toSize());
      svg.setViewBox(QRectF(QPointF(0, 0), size));
      svg.setTitle(QStringLiteral("Sinyal Planı - ") + doc.program);
      QPainter p;
      if ((painted = p.begin(&svg))) {
        PaintPlanPage(p, QRectF(QPointF(0, 0), size), doc);
        p.end();
      }
      break;
    }
  }
  if (!painted) {
    file.cancelWriting();
    return Failed(path, QStringLiteral("çizilemedi"));
  }
  if (!file.commit()) return Failed(path, file.errorString());
  return {};
}

QString PrintPlan(QPrinter& printer, const PlanDocument& doc) {
  QPainter p;
  if (!p.begin(&printer)) return QStringLiteral("Plan yazdırılamadı: yazıcı açılamadı");
  const QSizeF size = PageSize(p.font(), doc);
  const double scale = std::min(printer.width() / size.width(), printer.height() / size.height());
  p.scale(scale, scale);
  PaintPlanPage(p, QRectF(QPointF(0, 0), size), doc);
  p.end();
  return {};
}

}  // namespace program::editors
