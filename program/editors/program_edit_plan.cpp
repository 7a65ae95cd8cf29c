// The program tab's views beside the step grid: the warnings of the shown program and
// its signal plan, both following every change of the grid.

#include <QAbstractItemModel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <algorithm>

#include "program/editors/group_name_tooltips.h"
#include "program/editors/junction_page.h"
#include "program/editors/program_edit.h"
#include "program/editors/signal_plan_pane.h"
#include "program/editors/step_grid_model.h"
#include "program/program_check.h"
#include "program/record_names.h"
#include "program/signal_plan.h"

namespace program::editors {

namespace {
constexpr int kStepRole = Qt::UserRole + 1;
constexpr int kGroupRole = Qt::UserRole + 2;
constexpr std::size_t kListedWarnings = 500;

// Narrow beside the grid unless the user widens it: the grid's groups come first.
class WarningList : public QListWidget {
 public:
  using QListWidget::QListWidget;
  QSize sizeHint() const override { return {fontMetrics().averageCharWidth() * 28, 120}; }
};
}  // namespace

QWidget* Program_EDIT::BuildPlanArea(QWidget* page) {
  m_LST_Uyarilar = new WarningList(page);
  m_LST_Uyarilar->setObjectName(QStringLiteral("LST_Uyarilar"));
  m_LST_Uyarilar->setWordWrap(true);
  m_LST_Uyarilar->setMaximumWidth(340);
  m_LST_Uyarilar->setToolTip(QStringLiteral("Programın uyarıları; tıklanan uyarının hücresi seçilir"));
  m_plan = new SignalPlanPane(page);

  auto* beside = new QSplitter(Qt::Horizontal, page);
  beside->addWidget(m_MSFlexGrid1);
  beside->addWidget(m_LST_Uyarilar);
  beside->setStretchFactor(0, 1);
  beside->setStretchFactor(1, 0);
  auto* over = new QSplitter(Qt::Vertical, page);
  over->setObjectName(QStringLiteral("PlanSplitter"));
  over->addWidget(beside);
  over->addWidget(m_plan);
  over->setStretchFactor(0, 3);
  over->setStretchFactor(1, 2);
  over->setChildrenCollapsible(false);

  new GroupNameToolTips(*m_MSFlexGrid1->horizontalHeader(),
                        [this]() -> const JunctionData& { return *m_junction; });

  m_planRefresh = new QTimer(this);
  m_planRefresh->setSingleShot(true);
  m_planRefresh->setInterval(0);
  connect(m_planRefresh, &QTimer::timeout, this, &Program_EDIT::RefreshPlan);
  const auto later = [this] { m_planRefresh->start(); };
  connect(m_steps, &QAbstractItemModel::dataChanged, this, later);
  connect(m_steps, &QAbstractItemModel::modelReset, this, later);
  connect(m_UpDown_BeklemeAdimi, &QSpinBox::valueChanged, this, later);
  connect(m_Text1, &QLineEdit::textChanged, this, later);
  connect(m_LST_Uyarilar, &QListWidget::itemClicked, this, &Program_EDIT::WarningClicked);
  connect(m_plan, &SignalPlanPane::statusMessage, this, &Program_EDIT::statusMessage);
  return over;
}

QWidget* Program_EDIT::BuildJunctionPage() {
  m_junctionPage = new JunctionPage;
  m_junctionPage->Show(*m_junction);
  connect(m_junctionPage, &JunctionPage::changed, this, &Program_EDIT::RefreshPlan);
  connect(m_junctionPage, &JunctionPage::statusMessage, this, &Program_EDIT::statusMessage);
  return m_junctionPage;
}

void Program_EDIT::SetJunction(JunctionData& junction) {
  m_junction = &junction;
  if (m_junctionPage) m_junctionPage->Show(junction);
  RefreshPlan();
}

void Program_EDIT::RefreshPlan() {
  if (!m_plan || !m_steps) return;
  m_planRefresh->stop();
  const auto x = static_cast<std::size_t>(m_CurrentRecord);
  // The grid's steps over the model's, so that the steps it does not show count too.
  RecordSteps steps = m_model.PgmGroups[x];
  m_steps->Store(steps);
  const int waiting = m_UpDown_BeklemeAdimi->value();

  PlanDocument doc;
  doc.project = m_projectPath;
  const QString name = m_Text1->text().trimmed();
  doc.program = QString::fromUtf8(RecordName(x).data(), static_cast<qsizetype>(RecordName(x).size())) +
                (name.isEmpty() ? QString() : QStringLiteral(" - ") + name);
  doc.plan = BuildSignalPlan(steps, x, waiting);
  for (std::size_t g = 0; g < doc.options.groupNames.size(); ++g) {
    doc.options.groupNames[g] = QString::fromStdString(m_junction->groupNames[g]);
  }
  m_plan->SetDocument(std::move(doc));

  m_LST_Uyarilar->setUpdatesEnabled(false);
  m_LST_Uyarilar->clear();
  const std::vector<CheckWarning> warnings = CheckRecord(steps, x, *m_junction);
  // A program of random states has thousands; nobody reads past the first few hundred.
  const std::size_t shown = std::min(warnings.size(), kListedWarnings);
  for (std::size_t i = 0; i < shown; ++i) {
    auto* item = new QListWidgetItem(QString::fromStdString(warnings[i].text), m_LST_Uyarilar);
    item->setData(kStepRole, warnings[i].step);
    item->setData(kGroupRole, warnings[i].group);
  }
  if (shown < warnings.size()) {
    new QListWidgetItem(QStringLiteral("... ve %1 uyarı daha").arg(warnings.size() - shown), m_LST_Uyarilar);
  }
  m_LST_Uyarilar->setUpdatesEnabled(true);
}

void Program_EDIT::WarningClicked(QListWidgetItem* item) {
  if (!item || !m_MSFlexGrid1->isEnabled()) return;
  const int step = item->data(kStepRole).toInt();
  if (step < 1 || step > m_steps->Steps()) return;
  const int group = item->data(kGroupRole).toInt();
  const QModelIndex cell = m_steps->index(step - 1, group >= 1 ? group : StepGridModel::kDurationColumn);
  m_MSFlexGrid1->setCurrentIndex(cell);
  m_MSFlexGrid1->scrollTo(cell);
  m_MSFlexGrid1->setFocus();
}

}  // namespace program::editors
