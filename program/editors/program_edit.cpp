#include "program/editors/program_edit.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "monitor/twips.h"
#include "program/duration_text.h"
#include "program/editors/cp1254_validator.h"
#include "program/editors/description_page.h"
#include "program/editors/duration_box.h"
#include "program/editors/lamp_preset_dialog.h"
#include "program/editors/parameters_page.h"
#include "program/editors/state_cell_delegate.h"
#include "program/editors/step_grid_model.h"
#include "program/editors/time_table_entry.h"
#include "program/editors/week_grid_model.h"
#include "program/model_text.h"
#include "program/parameter_settings.h"
#include "program/program_image_codec.h"
#include "program/record_names.h"
#include "program/step_packing.h"
#include "program/week_entry.h"

namespace program::editors {

namespace {

constexpr int kWaitingStepMax = 97;
constexpr int kWaitingTimeMax = 255;
constexpr int kPhases = static_cast<int>(kLastDetectorPhase - kFirstDetectorPhase + 1);
constexpr std::size_t kClearedSteps = 100;  // steps 0 to 99

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(QLatin1String(name));
  return b;
}

}  // namespace

Program_EDIT::Program_EDIT(EditorModel& model, ProgramImage& image, bus::ViewFlags& flags,
                           const QString& ProjectPath, QWidget* parent)
    : QWidget(parent), m_model(model), m_image(image), m_flags(flags), m_projectPath(ProjectPath) {
  setObjectName(QStringLiteral("Program_EDIT"));
  setWindowTitle(QStringLiteral("Program Editor") + ProjectPath);

  m_SSTab1 = new QTabWidget(this);
  m_SSTab1->setObjectName(QStringLiteral("SSTab1"));
  m_description = new DescriptionPage;
  m_parameters = new ParametersPage;
  auto* programs = new QWidget;
  programs->setObjectName(QStringLiteral("ProgramlarPage"));
  auto* week = new QWidget;
  week->setObjectName(QStringLiteral("HaftalikPage"));
  m_SSTab1->addTab(m_description, QStringLiteral("Tanımlamalar"));
  m_SSTab1->addTab(m_parameters, QStringLiteral("Parametreler"));
  m_SSTab1->addTab(programs, QStringLiteral("Programlar"));
  m_SSTab1->addTab(week, QStringLiteral("Haftalık Program Tablosu"));
  m_SSTab1->addTab(BuildJunctionPage(), QStringLiteral("Kavşak Bilgileri"));
  BuildProgramTab(programs);
  BuildWeekTab(week);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->addWidget(m_SSTab1, 1);
  BuildButtons();

  m_Timer1 = new QTimer(this);
  m_Timer1->setObjectName(QStringLiteral("Timer1"));
  m_Timer1->setInterval(500);
  connect(m_Timer1, &QTimer::timeout, this, &Program_EDIT::Timer1Tick);

  // Opening: the phase list, the program list on "Program1", the weekly grid, the
  // parameters; no simulation runs.
  for (int i = 0; i < kPhases; ++i)
    m_Combo2->addItem(Q(RecordName(kFirstDetectorPhase + static_cast<std::size_t>(i))));
  for (std::size_t r = 0; r < kFirstDetectorPhase; ++r) m_Combo1->addItem(Q(RecordName(r)));
  m_Combo1->addItem(Q(kDetectorApplicationName));
  SelectRecord(2);
  m_TXT_Sure->hide();
  m_ZTE_1->hide();
  InitWeekGrid();
  ShowParameters();
  m_flags.SimActive = false;
  m_SSTab1->setCurrentIndex(kProgramlar);
  m_EditorLoaded = true;
  m_baseline = std::make_unique<EditorModel>(m_model);
  StoreControls(*m_baseline);
  m_Timer1->start();
  Timer1Tick();
  resize(1100, 720);
}

Program_EDIT::~Program_EDIT() {
  m_Timer1->stop();
  // The children go after this body has run: nothing they signal on the way out may
  // reach the half-destroyed window.
  for (QObject* o : findChildren<QObject*>()) o->blockSignals(true);
  if (m_flags.SimActive) m_flags.SimActive = false;
}

void Program_EDIT::BuildProgramTab(QWidget* page) {
  m_Combo1 = new QComboBox(page);
  m_Combo1->setObjectName(QStringLiteral("Combo1"));
  m_Combo1->setMinimumContentsLength(18);

  auto* nameLabel = new QLabel(QStringLiteral("Program Adı"), page);
  nameLabel->setObjectName(QStringLiteral("Label_ProgramAdi"));
  m_Text1 = new QLineEdit(page);
  m_Text1->setObjectName(QStringLiteral("Text1"));
  m_Text1->setMaxLength(static_cast<int>(kProgramNameChars));
  m_Text1->setValidator(new Cp1254Validator(m_Text1));
  m_Text1->setFixedWidth(m_Text1->fontMetrics().horizontalAdvance(QString(17, QLatin1Char('W'))) / 2 + 24);
  nameLabel->setBuddy(m_Text1);

  m_Frm_Ded_Pgm = new QGroupBox(page);
  m_Frm_Ded_Pgm->setObjectName(QStringLiteral("Frm_Ded_Pgm"));
  m_Combo2 = new QComboBox(m_Frm_Ded_Pgm);
  m_Combo2->setObjectName(QStringLiteral("Combo2"));
  auto* stepLabel = new QLabel(QStringLiteral("Bekleme Adım NO:"), m_Frm_Ded_Pgm);
  m_UpDown_BeklemeAdimi = new QSpinBox(m_Frm_Ded_Pgm);
  m_UpDown_BeklemeAdimi->setObjectName(QStringLiteral("UpDown_BeklemeAdimi"));
  m_UpDown_BeklemeAdimi->setRange(0, kWaitingStepMax);
  auto* timeLabel = new QLabel(QStringLiteral("Bekleme SÜRE:"), m_Frm_Ded_Pgm);
  m_UpDown_BeklemeSuresi = new QSpinBox(m_Frm_Ded_Pgm);
  m_UpDown_BeklemeSuresi->setObjectName(QStringLiteral("UpDown_BeklemeSuresi"));
  m_UpDown_BeklemeSuresi->setRange(0, kWaitingTimeMax);
  auto* frameRow = new QHBoxLayout(m_Frm_Ded_Pgm);
  frameRow->setContentsMargins(6, 2, 6, 2);
  frameRow->addWidget(m_Combo2);
  frameRow->addSpacing(8);
  frameRow->addWidget(stepLabel);
  frameRow->addWidget(m_UpDown_BeklemeAdimi);
  frameRow->addSpacing(8);
  frameRow->addWidget(timeLabel);
  frameRow->addWidget(m_UpDown_BeklemeSuresi);
  m_Frm_Ded_Pgm->hide();

  m_steps = new StepGridModel(this);
  m_MSFlexGrid1 = new QTableView(page);
  m_MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
  m_MSFlexGrid1->setModel(m_steps);
  m_MSFlexGrid1->setItemDelegate(new StateCellDelegate(m_MSFlexGrid1));
  // Whole rows are selected from their headers for copying; a range of cells counts
  // as the rows it spans.
  m_MSFlexGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
  m_MSFlexGrid1->installEventFilter(this);
  m_MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_MSFlexGrid1->setWordWrap(false);
  m_MSFlexGrid1->setCornerButtonEnabled(false);
  m_MSFlexGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
  const int dpiX = logicalDpiX();
  const int dpiY = logicalDpiY();
  QHeaderView* cols = m_MSFlexGrid1->horizontalHeader();
  cols->setMinimumSectionSize(1);
  cols->setDefaultSectionSize(monitor::TwipsToPixels(700, dpiX));
  cols->setSectionResizeMode(QHeaderView::Fixed);
  cols->setFixedHeight(monitor::TwipsToPixels(500, dpiY));
  cols->setSectionsClickable(false);
  // The header row is two lines high: a title wider than its 700-twip column breaks
  // rather than being cut.
  cols->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
  // "Grup-32" has no break: the titles' font shrinks until it fits the column.
  QFont titles = cols->font();
  const int room = cols->defaultSectionSize() - 6;
  while (QFontMetrics(titles).horizontalAdvance(QStringLiteral("Grup-32")) > room &&
         titles.pointSizeF() > 6) {
    titles.setPointSizeF(titles.pointSizeF() - 0.5);
  }
  cols->setFont(titles);
  QHeaderView* rows = m_MSFlexGrid1->verticalHeader();
  rows->setMinimumSectionSize(1);
  rows->setDefaultSectionSize(monitor::TwipsToPixels(300, dpiY));
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setFixedWidth(monitor::TwipsToPixels(1000, dpiX));

  m_TXT_Sure = new DurationBox(m_MSFlexGrid1->viewport());
  m_TXT_Sure->setObjectName(QStringLiteral("TXT_Sure"));
  m_TXT_Sure->setAlignment(Qt::AlignCenter);
  m_TXT_Sure->hide();

  connect(m_Combo1, &QComboBox::currentIndexChanged, this, [this](int index) {
    KeepShownEdits();
    Combo1Click(index);
  });
  connect(m_Combo2, &QComboBox::currentIndexChanged, this, [this](int index) {
    KeepShownEdits();
    Combo2Click(index);
  });
  connect(m_MSFlexGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &Program_EDIT::StepCurrentChanged);
  connect(m_MSFlexGrid1, &QTableView::pressed, this, &Program_EDIT::StepCellPressed);
  connect(m_MSFlexGrid1, &QWidget::customContextMenuRequested, this, &Program_EDIT::OpenLampPreset);
  FreezeStepColumns();
  connect(m_TXT_Sure, &DurationBox::focusLost, this, [this] {
    CommitDuration();
    HideDurationBox();
  });
  connect(m_TXT_Sure, &DurationBox::navigationKey, this, &Program_EDIT::DurationBoxKey);
  // The box belongs to its cell: a scroll carries it along.
  for (auto* bar : {m_MSFlexGrid1->horizontalScrollBar(), m_MSFlexGrid1->verticalScrollBar()}) {
    connect(bar, &QAbstractSlider::valueChanged, this, [this] {
      if (m_sureCell.isValid()) m_TXT_Sure->setGeometry(m_MSFlexGrid1->visualRect(m_sureCell));
    });
  }

  auto* top = new QHBoxLayout;
  top->addWidget(m_Combo1);
  top->addSpacing(12);
  top->addWidget(nameLabel);
  top->addWidget(m_Text1);
  top->addSpacing(12);
  top->addWidget(m_Frm_Ded_Pgm);
  top->addStretch();
  auto* column = new QVBoxLayout(page);
  column->addLayout(top);
  column->addWidget(BuildPlanArea(page), 1);
}

void Program_EDIT::BuildButtons() {
  m_BTN_Temizle = Button(this, "BTN_Temizle", "Temizle");
  m_BTN_Kaydet = Button(this, "BTN_Kaydet", "Kaydet");
  m_BTN_HafizayiGoster = Button(this, "BTN_HafizayiGoster", "Hafızayı Göster");
  m_BTN_Simulasyon = Button(this, "BTN_Simulasyon", "Simulasyon");
  m_BTN_Simulasyon->setToolTip(QStringLiteral("Simulasyon yapar"));
  m_BTN_CPU_PC = Button(this, "BTN_CPU_PC", "CPU -> PC");
  m_BTN_CPU_PC->setToolTip(QStringLiteral("İşlemciyi oku"));
  m_BTN_CPU_PC->setEnabled(false);
  m_BTN_PC_CPU = Button(this, "BTN_PC_CPU", "PC ->CPU");
  m_BTN_PC_CPU->setToolTip(QStringLiteral("İşlemciye yükle"));
  m_BTN_PC_CPU->setEnabled(false);
  m_Text2 = new QLineEdit(this);
  m_Text2->setObjectName(QStringLiteral("Text2"));
  m_Text2->setReadOnly(true);
  m_Text2->setFixedWidth(m_Text2->fontMetrics().horizontalAdvance(QStringLiteral("Save")) + 16);

  m_Label2 = new QLabel(this);
  m_Label2->setObjectName(QStringLiteral("Label2"));
  m_Label2->setFrameShape(QFrame::Panel);
  m_Label2->setFrameShadow(QFrame::Sunken);
  m_Label2->setMinimumHeight(m_Label2->fontMetrics().height() + 6);

  connect(m_BTN_Temizle, &QPushButton::clicked, this, &Program_EDIT::TemizleClick);
  connect(m_BTN_Kaydet, &QPushButton::clicked, this, &Program_EDIT::DegisiklikleriKaydet);
  connect(m_BTN_HafizayiGoster, &QPushButton::clicked, this, &Program_EDIT::HafizayiGosterClick);
  connect(m_BTN_Simulasyon, &QPushButton::clicked, this, &Program_EDIT::SimulasyonClick);

  auto* row = new QHBoxLayout;
  for (QPushButton* b :
       {m_BTN_Temizle, m_BTN_Kaydet, m_BTN_HafizayiGoster, m_BTN_Simulasyon, m_BTN_CPU_PC, m_BTN_PC_CPU}) {
    row->addWidget(b);
  }
  row->addStretch();
  row->addWidget(m_Text2);
  auto* column = static_cast<QVBoxLayout*>(layout());
  column->addLayout(row);
  column->addWidget(m_Label2);
}

void Program_EDIT::SelectRecord(int comboIndex) {
  if (comboIndex < 0 || comboIndex >= m_Combo1->count()) return;
  KeepShownEdits();
  {
    const QSignalBlocker block(m_Combo1);
    m_Combo1->setCurrentIndex(comboIndex);
  }
  Combo1Click(comboIndex);
}

void Program_EDIT::SelectPhase(int phaseIndex) {
  if (m_Combo1->currentIndex() != kDetectorEntry || phaseIndex < 0 || phaseIndex >= m_Combo2->count()) return;
  KeepShownEdits();
  {
    const QSignalBlocker block(m_Combo2);
    m_Combo2->setCurrentIndex(phaseIndex);
  }
  Combo2Click(phaseIndex);
}

void Program_EDIT::KeepShownEdits() {
  if (m_EditorLoaded) ReadGrid();
}

void Program_EDIT::ShowRecord(std::size_t record) {
  if (record == static_cast<std::size_t>(m_CurrentRecord)) return;
  if (record < kFirstDetectorPhase) {
    SelectRecord(static_cast<int>(record));
  } else if (IsDetectorPhase(record)) {
    if (m_Combo1->currentIndex() != kDetectorEntry) SelectRecord(kDetectorEntry);
    SelectPhase(static_cast<int>(record - kFirstDetectorPhase));
  }
}

void Program_EDIT::Combo1Click(int index) {
  if (index < 0 || index > kDetectorEntry) return;
  if (index < kDetectorEntry) {
    m_BTN_Simulasyon->setEnabled(true);
    m_Text1->setEnabled(true);
    m_ZTE_1->hide();
    m_MSFlexGrid1->show();
    m_CurrentRecord = index;
    ShowProgram();
    m_Frm_Ded_Pgm->hide();
    return;
  }
  m_Frm_Ded_Pgm->show();
  m_MSFlexGrid1->show();
  {
    const QSignalBlocker block(m_Combo2);
    m_Combo2->setCurrentIndex(0);
  }
  Combo2Click(0);
}

void Program_EDIT::Combo2Click(int index) {
  if (index < 0 || index >= kPhases) return;
  m_CurrentRecord = static_cast<int>(kFirstDetectorPhase) + index;
  ShowProgram();
  m_MSFlexGrid1->show();
}

void Program_EDIT::ShowProgram() {
  const auto x = static_cast<std::size_t>(m_CurrentRecord);
  m_GridBusy = true;
  // Whatever was being edited belongs to the grid about to be dropped.
  CloseLampPreset();
  HideDurationBox();

  m_Text1->setText(QString::fromStdString(ProgramNameText(m_model, x)));
  const auto& settings = m_model.PgmSettings[x];
  m_steps->Load(m_model.PgmGroups[x], IsFlashRecord(x) ? 1 : kShownSteps, settings[0]);
  m_UpDown_BeklemeAdimi->setValue(settings[0]);
  m_UpDown_BeklemeSuresi->setValue(settings[1]);

  const QModelIndex first = m_steps->index(0, StepGridModel::kDurationColumn);
  m_MSFlexGrid1->setCurrentIndex(first);
  m_currentRow = 0;
  m_currentColumn = StepGridModel::kDurationColumn;
  m_GridBusy = false;
}

void Program_EDIT::ReadGrid() {
  // A state chosen in "Seç" and a duration still in the box count, or a save right
  // after choosing or typing would lose them.
  CloseLampPreset();
  CommitDuration();
  HideDurationBox();
  m_GridBusy = true;
  const auto x = static_cast<std::size_t>(m_CurrentRecord);
  StoreProgramName(m_model, x, m_Text1->text().toStdString());
  m_steps->Store(m_model.PgmGroups[x]);
  StoreWaitingStep(m_model);
  m_GridBusy = false;
}

void Program_EDIT::StoreWaitingStep(EditorModel& into) const {
  // What the spinners show, also where a loaded value beyond their range was shown
  // corrected: storing the hidden value would make the spinner lie.
  auto& settings = into.PgmSettings[static_cast<std::size_t>(m_CurrentRecord)];
  settings[0] = static_cast<std::uint8_t>(m_UpDown_BeklemeAdimi->value());
  settings[1] = static_cast<std::uint8_t>(m_UpDown_BeklemeSuresi->value());
}

void Program_EDIT::StoreControls(EditorModel& into) const {
  const auto x = static_cast<std::size_t>(m_CurrentRecord);
  StoreProgramName(into, x, m_Text1->text().toStdString());
  m_steps->Store(into.PgmGroups[x]);
  if (m_sureCell.isValid()) {
    if (const auto seconds = ParseDurationText(m_TXT_Sure->text().toStdString())) {
      into.PgmGroups[x][static_cast<std::size_t>(m_sureCell.row()) + 1][0] = *seconds;
    }
  }
  StoreWaitingStep(into);
  CompactSteps(into);
  StoreParameterSettings(m_parameters->Settings(), into);
  m_description->Store(into);
  m_week->Store(into);
  const QModelIndex week = m_MSFlexGrid2->currentIndex();
  if (m_EditorLoaded && week.isValid()) {
    StoreWeekEntry(into, week.column(), week.row(), m_ZTE_1->Entry());
  }
}

bool Program_EDIT::HasUnstoredChanges() const {
  auto scratch = std::make_unique<EditorModel>(m_model);
  StoreControls(*scratch);
  return *scratch != *m_baseline;
}

void Program_EDIT::PendingImage(ProgramImage& out) const {
  auto scratch = std::make_unique<EditorModel>(m_model);
  StoreControls(*scratch);
  out = m_image;
  PackProgramImage(*scratch, out);
}

void Program_EDIT::ShowParameters() {
  m_description->Show(m_model);
  m_parameters->Show(ShowParameterSettings(m_model));
}

void Program_EDIT::DegisiklikleriKaydet() {
  m_Text2->setText(QStringLiteral("Save"));
  ReadGrid();
  ShowProgram();
  ReadWeekTable();
  StoreControls(m_model);
  PackProgramImage(m_model, m_image);
  *m_baseline = m_model;
  m_history.Clear();
}

void Program_EDIT::TemizleClick() {
  if (m_SSTab1->currentIndex() != kProgramlar) return;
  setEnabled(false);
  const auto x = static_cast<std::size_t>(m_CurrentRecord);
  // The shown rows as they were, so that the clear can be taken back.
  std::vector<StepRow> shown = m_steps->Rows(1, static_cast<std::size_t>(m_steps->Steps()));
  const std::size_t count = shown.size();
  // All sixteen name characters: the box shows them all.
  std::fill(m_model.PgmNames[x].begin() + 1, m_model.PgmNames[x].end(), 0);
  for (std::size_t s = 0; s < kClearedSteps; ++s) m_model.PgmGroups[x][s].fill(0);
  Combo1Click(m_Combo1->currentIndex());
  m_history.Push({x, 1, std::move(shown), std::vector<StepRow>(count, StepRow{})});
  setEnabled(true);
}

void Program_EDIT::HafizayiGosterClick() {
  DegisiklikleriKaydet();
  if (ShowBuffer) ShowBuffer();
}

void Program_EDIT::closeEvent(QCloseEvent* event) {
  if (ConfirmClose && !ConfirmClose()) {
    event->ignore();
    return;
  }
  m_Timer1->stop();
  CloseLampPreset();
  EndSimulation();
  QWidget::closeEvent(event);
}

}  // namespace program::editors
