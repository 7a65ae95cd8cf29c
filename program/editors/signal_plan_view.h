#pragma once
// The signal plan of the shown program, drawn to fit the widget, with the group, the
// state and its seconds in the tooltip over a bar.

#include <QWidget>

#include "program/editors/signal_plan_painter.h"

namespace program::editors {

class SignalPlanView : public QWidget {
  Q_OBJECT

 public:
  explicit SignalPlanView(QWidget* parent = nullptr);

  void SetPlan(SignalPlan plan, SignalPlanPaintOptions options);
  const SignalPlan& Plan() const { return m_plan; }

  // "Grup-2 A1 Kuzey: Yeşil, 0-10 sn (adım 1)"; empty away from the bars.
  QString ToolTipAt(const QPointF& pos) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  SignalPlan m_plan;
  SignalPlanPaintOptions m_options;
};

}  // namespace program::editors
