// The weekly program table grid: its layout, and the entry widget laid over the cell
// being edited.

#include <QEvent>
#include <QHeaderView>
#include <QLocale>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "monitor/twips.h"
#include "program/editors/program_edit.h"
#include "program/editors/time_table_entry.h"
#include "program/editors/week_grid_model.h"

namespace program::editors {

namespace {

// A filter that hides the entry widget when a header cell is clicked. It is a child
// of the grid, so it never outlives what it looks at.
class HeaderClickFilter : public QObject {
 public:
  HeaderClickFilter(QWidget* hide, QObject* parent) : QObject(parent), m_hide(hide) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) m_hide->hide();
    return false;
  }

 private:
  QWidget* m_hide;
};

}  // namespace

void Program_EDIT::BuildWeekTab(QWidget* page) {
  m_week = new WeekGridModel(this);
  m_MSFlexGrid2 = new QTableView(page);
  m_MSFlexGrid2->setObjectName(QStringLiteral("MSFlexGrid2"));
  m_MSFlexGrid2->setModel(m_week);
  m_MSFlexGrid2->setSelectionMode(QAbstractItemView::SingleSelection);
  m_MSFlexGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_MSFlexGrid2->setCornerButtonEnabled(false);
  m_MSFlexGrid2->setWordWrap(false);

  m_ZTE_1 = new Zaman_tablo_edit1(m_MSFlexGrid2->viewport());
  m_ZTE_1->setObjectName(QStringLiteral("ZTE_1"));
  m_ZTE_1->hide();

  auto* filter = new HeaderClickFilter(m_ZTE_1, m_MSFlexGrid2);
  m_MSFlexGrid2->horizontalHeader()->viewport()->installEventFilter(filter);
  m_MSFlexGrid2->verticalHeader()->viewport()->installEventFilter(filter);

  connect(m_MSFlexGrid2->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &Program_EDIT::WeekCurrentChanged);
  connect(m_MSFlexGrid2, &QTableView::pressed, this, &Program_EDIT::WeekCellPressed);
  for (auto* bar : {m_MSFlexGrid2->horizontalScrollBar(), m_MSFlexGrid2->verticalScrollBar()}) {
    connect(bar, &QAbstractSlider::valueChanged, this, [this] {
      if (m_ZTE_1->isVisible()) PlaceTimeEntry(m_MSFlexGrid2->currentIndex());
    });
  }

  auto* column = new QVBoxLayout(page);
  column->addWidget(m_MSFlexGrid2, 1);
}

void Program_EDIT::InitWeekGrid() {
  const int dpiX = logicalDpiX();
  const int dpiY = logicalDpiY();
  QHeaderView* rows = m_MSFlexGrid2->verticalHeader();
  rows->setMinimumSectionSize(1);
  rows->setFixedWidth(monitor::TwipsToPixels(300, dpiX));
  rows->setDefaultSectionSize(monitor::TwipsToPixels(300, dpiY));
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setSectionsClickable(false);
  rows->setDefaultAlignment(Qt::AlignCenter);
  QHeaderView* cols = m_MSFlexGrid2->horizontalHeader();
  cols->setMinimumSectionSize(1);
  cols->setFixedHeight(monitor::TwipsToPixels(300, dpiY));
  cols->setDefaultSectionSize(monitor::TwipsToPixels(1350, dpiX));
  cols->setSectionResizeMode(QHeaderView::Fixed);
  cols->setSectionsClickable(false);

  // Day 0 is the first day of the system's week, named in the system's language.
  const QLocale locale;
  QStringList names;
  for (int d = 0; d < WeekGridModel::kDays; ++d) {
    const int day = (static_cast<int>(locale.firstDayOfWeek()) - 1 + d) % 7 + 1;
    names << locale.dayName(day, QLocale::LongFormat);
  }
  m_week->SetDayNames(names);
  ShowWeekTable();
}

void Program_EDIT::ShowWeekTable() {
  m_ZTE_1->hide();
  m_week->Load(m_model);
}

void Program_EDIT::ReadWeekTable() {
  // What the entry widget holds belongs to the current cell; a save while it is still
  // open keeps it.
  const QModelIndex current = m_MSFlexGrid2->currentIndex();
  if (m_EditorLoaded && current.isValid())
    m_week->SetEntry(current.row(), current.column(), m_ZTE_1->Entry());
  m_week->Store(m_model);
}

void Program_EDIT::WeekCurrentChanged(const QModelIndex& current, const QModelIndex& previous) {
  if (!m_EditorLoaded) return;
  if (previous.isValid()) m_week->SetEntry(previous.row(), previous.column(), m_ZTE_1->Entry());
  if (current.isValid()) {
    m_ZTE_1->SetEntry(m_week->Entry(current.row(), current.column()));
    // Moved by the keyboard: the widget follows the cell it now edits.
    if (m_ZTE_1->isVisible()) PlaceTimeEntry(current);
  }
}

void Program_EDIT::WeekCellPressed(const QModelIndex& index) {
  if (index.isValid()) PlaceTimeEntry(index);
}

void Program_EDIT::PlaceTimeEntry(const QModelIndex& index) {
  if (!index.isValid()) return;
  m_MSFlexGrid2->horizontalHeader()->resizeSection(index.column(), m_ZTE_1->width() + 1);
  m_MSFlexGrid2->verticalHeader()->resizeSection(index.row(), m_ZTE_1->height());
  m_ZTE_1->move(m_MSFlexGrid2->visualRect(index).topLeft());
  m_ZTE_1->show();
  m_ZTE_1->raise();
}

}  // namespace program::editors
