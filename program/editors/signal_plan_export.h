#pragma once
// A signal plan on paper and in files: a header (project, program name, date, cycle
// length) over the plan, printed or written as PDF, PNG or SVG. Files are replaced
// whole or not at all.

#include <QDateTime>
#include <QString>

#include "program/editors/signal_plan_painter.h"

class QPainter;
class QPrinter;

namespace program::editors {

struct PlanDocument {
  QString project;  // the project file's path; empty without a project
  QString program;  // "Program3 - ANA CADDE"
  QDateTime when;
  SignalPlan plan;
  SignalPlanPaintOptions options;
};

// "Proje: ...", "Program: ...", "Tarih: ...", "Devir süresi: ... sn", one a line.
QStringList PlanHeaderLines(const PlanDocument& doc);

// The header and the plan into `page`, with the painter's font.
void PaintPlanPage(QPainter& painter, const QRectF& page, const PlanDocument& doc);

enum class PlanFileKind { Pdf, Png, Svg };

// By the name's ending (".pdf", ".png", ".svg", any case); Pdf when none matches.
PlanFileKind PlanFileKindFor(const QString& path);

// Writes the file; an empty result means written, otherwise it says why not
// ("Plan kaydedilemedi: /x/y.pdf: ...").
QString ExportPlan(const QString& path, PlanFileKind kind, const PlanDocument& doc);

// Prints on a printer the caller has set up; landscape suits a plan best.
QString PrintPlan(QPrinter& printer, const PlanDocument& doc);

}  // namespace program::editors
