#include "program/editors/signal_plan_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "program/signal_state_look.h"

namespace program::editors {

SignalPlanView::SignalPlanView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PlanView"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SignalPlanView::SetPlan(SignalPlan plan, SignalPlanPaintOptions options) {
  m_plan = std::move(plan);
  m_options = std::move(options);
  updateGeometry();
  update();
}

QString SignalPlanView::ToolTipAt(const QPointF& pos) const {
  const SignalPlanGeometry g = SignalPlanLayout(m_plan, QRectF(rect()), font(), m_options);
  const int row = g.RowAt(pos.y(), static_cast<int>(m_plan.rows.size()));
  const double seconds = g.SecondsAt(pos.x());
  if (row < 0 || seconds < 0) return {};
  const PlanRow& r = m_plan.rows[static_cast<std::size_t>(row)];
  for (const PlanInterval& in : r.intervals) {
    if (seconds < in.start || seconds >= in.end) continue;
    return QStringLiteral("%1: %2, %3-%4 sn (adım %5)")
        .arg(GroupLabel(r.group, m_options.groupNames[static_cast<std::size_t>(r.group - 1)]),
             QString::fromStdString(SignalStateName(in.code)))
        .arg(in.start)
        .arg(in.end)
        .arg(in.firstStep);
  }
  return {};
}

QSize SignalPlanView::sizeHint() const {
  return SignalPlanNaturalSize(m_plan, font(), m_options).toSize().boundedTo({900, 400});
}

QSize SignalPlanView::minimumSizeHint() const {
  // Rows stay readable; a scroll area around the view shows the rest.
  const QSizeF natural = SignalPlanNaturalSize(m_plan, font(), m_options);
  return {200, static_cast<int>(natural.height() * 0.85)};
}

void SignalPlanView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PaintSignalPlan(p, QRectF(rect()), m_plan, m_options);
}

bool SignalPlanView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = ToolTipAt(help->pos());
    if (text.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
  }
  return QWidget::event(event);
}

}  // namespace program::editors
