#include "program/editors/live_plan_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "link/live_signal_plan.h"
#include "program/editors/signal_plan_painter.h"
#include "program/record_names.h"

namespace program::editors {

namespace {

constexpr std::int64_t kSecond = 1'000'000;
// About the width of the group labels: what is left is the bars'.
constexpr int kLabelRoom = 140;

}  // namespace

LivePlanView::LivePlanView(const bus::TrendStore& store, const EditorModel& model, QWidget* parent)
    : QWidget(parent), m_store(store), m_model(model) {
  setObjectName(QStringLiteral("CanliSinyalPlani"));
  auto* bar = new QHBoxLayout;
  bar->addWidget(new QLabel(QStringLiteral("Karşılaştırılacak program:"), this));
  m_program = new QComboBox(this);
  m_program->setObjectName(QStringLiteral("CMB_Program"));
  m_program->addItem(QStringLiteral("Yok"), -1);
  for (std::size_t r = 0; r < kOfferedRecordCount; ++r) {
    m_program->addItem(QString::fromUtf8(RecordName(r).data(), static_cast<int>(RecordName(r).size())),
                       static_cast<int>(r));
  }
  bar->addWidget(m_program);
  bar->addStretch(1);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(2, 2, 2, 2);
  column->addLayout(bar);
  column->addStretch(1);
  connect(m_program, &QComboBox::currentIndexChanged, this, [this] { update(); });
}

void LivePlanView::SetRange(std::int64_t from, std::int64_t to) {
  m_from = from;
  m_to = to;
  update();
}

QRect LivePlanView::PlanArea() const {
  const int top = m_program->geometry().bottom() + 6;
  return QRect(2, top, width() - 4, height() - top - 2);
}

void LivePlanView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect area = PlanArea();
  const int bars = std::max(1, area.width() - kLabelRoom);
  const std::int64_t span = std::max<std::int64_t>(m_to - m_from, kSecond);
  // Whole seconds a cell, and no more cells than the bars have pixels.
  const auto cell = static_cast<int>(std::max<std::int64_t>(1, (span / kSecond + bars - 1) / bars));
  m_live = bus::LiveSignalPlan(m_store, m_from, m_to, cell);

  const int record = m_program->currentData().toInt();
  m_programmed = {};
  if (record >= 0) {
    const auto r = static_cast<std::size_t>(record);
    m_programmed = BuildSignalPlan(m_model.PgmGroups[r], r, m_model.PgmSettings[r][0]);
  }

  QRect live = area;
  if (record >= 0) live.setHeight(area.height() * 3 / 5);
  if (m_live.rows.empty()) {
    p.fillRect(live, Qt::white);
    p.drawText(live, Qt::AlignCenter, QStringLiteral("Bu zaman aralığında yanan lamba kaydı yok"));
  } else {
    SignalPlanPaintOptions options;
    options.title = QStringLiteral("Gösterilen: %1 sn").arg(m_live.cycleSeconds);
    PaintSignalPlan(p, live, m_live, options);
  }
  if (record >= 0) {
    PaintSignalPlan(p, QRect(area.left(), live.bottom() + 4, area.width(), area.bottom() - live.bottom() - 4),
                    m_programmed);
  }
}

}  // namespace program::editors
