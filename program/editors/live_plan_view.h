#pragma once
// The live signal plan: the 32 groups' real lamp states over the trends window's time
// range, drawn as the program editor draws a plan, and under it the plan of a program
// the user chooses, so that what the junction runs can be held against what it was sent.

#include <QWidget>
#include <cstdint>

#include "link/trend_store.h"
#include "program/editor_model.h"
#include "program/signal_plan.h"

class QComboBox;

namespace program::editors {

class LivePlanView : public QWidget {
  Q_OBJECT
 public:
  LivePlanView(const bus::TrendStore& store, const EditorModel& model, QWidget* parent = nullptr);

  void SetRange(std::int64_t from, std::int64_t to);
  // What was drawn last: the live plan, and the chosen program's (no steps when none).
  const SignalPlan& Live() const { return m_live; }
  const SignalPlan& Programmed() const { return m_programmed; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect PlanArea() const;

  const bus::TrendStore& m_store;
  const EditorModel& m_model;
  std::int64_t m_from = 0;
  std::int64_t m_to = 0;
  QComboBox* m_program = nullptr;
  SignalPlan m_live;
  SignalPlan m_programmed;
};

}  // namespace program::editors
