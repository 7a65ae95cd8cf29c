#include "monitor/bus_monitor_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "link/bus_counters.h"
#include "link/frame_meaning.h"
#include "monitor/bus_line_model.h"
#include "monitor/bus_recording.h"

namespace monitor {
namespace {

constexpr int kRowsMs = 250;
constexpr int kCountersMs = 500;

// The devices of this bus, in the order the activity lamps show them.
constexpr int kDevices[] = {1, 16, 19, 20, 32, 33, 34, 35, 36, 37, 38, 39};
constexpr int kFunctions[] = {3, 6, 134, 206, 207, 208};

template <typename T>
T* Named(T* w, const char* name) {
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

QString LastSeen(std::int64_t micros) { return micros < 0 ? QString() : QString::number(micros / 1000); }

}  // namespace

BusMonitorWindow::BusMonitorWindow(BusRecording& recording, QWidget* parent)
    : QWidget(parent), m_recording(recording) {
  Build();
  chooseCaptureFile = [this] {
    const QString name = QStringLiteral("hat-%1.kxcap")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    return QFileDialog::getSaveFileName(this, QStringLiteral("Yakalama dosyası"), name,
                                        QStringLiteral("Yakalama (*.kxcap);;Tüm dosyalar (*)"));
  };
  connect(&m_recording, &BusRecording::captureChanged, this, &BusMonitorWindow::ShowCapture);
  m_rowsTimer.setInterval(kRowsMs);
  connect(&m_rowsTimer, &QTimer::timeout, this, &BusMonitorWindow::RefreshRows);
  m_rowsTimer.start();
  m_countersTimer.setInterval(kCountersMs);
  connect(&m_countersTimer, &QTimer::timeout, this, &BusMonitorWindow::RefreshCounters);
  m_countersTimer.start();
  RefreshRows();
  RefreshCounters();
  ShowCapture();
}

BusMonitorWindow::~BusMonitorWindow() = default;

void BusMonitorWindow::Build() {
  setObjectName(QStringLiteral("HatIzleyici"));
  setWindowTitle(QStringLiteral("Hat İzleyici"));

  m_device = Named(new QComboBox(this), "Cihaz_Filtre");
  m_device->addItem(QStringLiteral("Tüm cihazlar"), -1);
  for (int a : kDevices) m_device->addItem(QString::fromStdString(bus::DeviceName(a)), a);
  m_function = Named(new QComboBox(this), "Islev_Filtre");
  m_function->addItem(QStringLiteral("Tüm işlevler"), -1);
  for (int f : kFunctions) {
    m_function->addItem(QStringLiteral("%1 %2").arg(f).arg(QString::fromStdString(bus::FunctionName(f))), f);
  }
  m_refusedOnly = Named(new QCheckBox(QStringLiteral("Yalnız reddedilenler"), this), "Reddedilenler");
  m_search = Named(new QLineEdit(this), "Arama");
  m_search->setPlaceholderText(QStringLiteral("Satırda ara"));
  m_search->setClearButtonEnabled(true);
  m_pause = Named(new QPushButton(QStringLiteral("Duraklat"), this), "Duraklat");
  m_pause->setCheckable(true);
  m_capture = Named(new QPushButton(QStringLiteral("Yakalamayı Başlat"), this), "Yakalama");
  m_captureState = Named(new QLabel(this), "Yakalama_Durumu");
  m_rowCount = Named(new QLabel(this), "Satir_Sayisi");

  auto* filters = new QHBoxLayout;
  filters->addWidget(m_device);
  filters->addWidget(m_function);
  filters->addWidget(m_refusedOnly);
  filters->addWidget(m_search, 1);
  filters->addWidget(m_pause);
  auto* captureRow = new QHBoxLayout;
  captureRow->addWidget(m_capture);
  captureRow->addWidget(m_captureState, 1);
  captureRow->addWidget(m_rowCount);

  m_model = new BusLineModel(m_recording.Store(), this);
  m_model->wallClock = [this](std::int64_t micros) { return m_recording.WallClockAt(micros); };
  m_table = Named(new QTableView(this), "Hat_Tablosu");
  m_table->setModel(m_model);
  m_table->verticalHeader()->hide();
  // Fixed row heights keep a million rows as cheap to scroll as a hundred.
  m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setWordWrap(false);
  QHeaderView* head = m_table->horizontalHeader();
  head->setSectionResizeMode(QHeaderView::Interactive);
  head->setStretchLastSection(true);
  const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
  for (const auto& [column, width] : {std::pair{BusLineModel::Time, 8},
                                      {BusLineModel::Direction, 11},
                                      {BusLineModel::Device, 4},
                                      {BusLineModel::Function, 9},
                                      {BusLineModel::Meaning, 36}}) {
    m_table->setColumnWidth(column, width * em);
  }

  m_counters = Named(new QTableWidget(0, 5, this), "Sayaclar");
  m_counters->setHorizontalHeaderLabels({QStringLiteral("Cihaz"), QStringLiteral("Çerçeve"),
                                         QStringLiteral("Reddedilen"), QStringLiteral("Son görülme (ms)"),
                                         QStringLiteral("Çerçeve/s")});
  m_counters->verticalHeader()->hide();
  m_counters->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  m_counters->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_counters->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(m_table);
  split->addWidget(m_counters);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filters);
  layout->addLayout(captureRow);
  layout->addWidget(split, 1);

  connect(m_device, &QComboBox::currentIndexChanged, this, &BusMonitorWindow::ApplyFilter);
  connect(m_function, &QComboBox::currentIndexChanged, this, &BusMonitorWindow::ApplyFilter);
  connect(m_refusedOnly, &QCheckBox::toggled, this, &BusMonitorWindow::ApplyFilter);
  connect(m_search, &QLineEdit::textChanged, this, &BusMonitorWindow::ApplyFilter);
  connect(m_pause, &QPushButton::toggled, this, [this](bool paused) {
    m_pause->setText(paused ? QStringLiteral("Sürdür") : QStringLiteral("Duraklat"));
    m_model->SetPaused(paused);
    RefreshRows();
  });
  connect(m_capture, &QPushButton::clicked, this, &BusMonitorWindow::OnCapture);
}

void BusMonitorWindow::ApplyFilter() {
  bus::BusLineFilter f;
  f.address = m_device->currentData().toInt();
  f.function = m_function->currentData().toInt();
  f.refusedOnly = m_refusedOnly->isChecked();
  f.text = m_search->text().toStdString();
  m_model->SetFilter(std::move(f));
  m_table->scrollToBottom();
  RefreshRows();
}

void BusMonitorWindow::RefreshRows() {
  QScrollBar* bar = m_table->verticalScrollBar();
  // Follow the newest line unless the user scrolled back to read.
  const bool following = bar->value() >= bar->maximum();
  m_model->Refresh();
  if (following && !m_model->Paused()) m_table->scrollToBottom();
  m_rowCount->setText(
      QStringLiteral("%1 / %2 satır").arg(m_model->rowCount()).arg(m_recording.Store().Size()));
}

void BusMonitorWindow::RefreshCounters() {
  const bus::BusCounters& counters = m_recording.Store().Counters();
  const std::int64_t now = m_recording.NowMicros();
  int row = 0;
  counters.ForEachSeen([&](int key, const bus::DeviceCount& c) {
    if (row >= m_counters->rowCount()) m_counters->insertRow(row);
    const QString cells[] = {QString::fromStdString(bus::CounterName(key)), QString::number(c.frames),
                             QString::number(c.refused), LastSeen(c.lastSeenMicros),
                             QLocale().toString(counters.FramesPerSecond(key, now), 'f', 1)};
    for (int col = 0; col < 5; ++col) {
      QTableWidgetItem* item = m_counters->item(row, col);
      if (!item) m_counters->setItem(row, col, item = new QTableWidgetItem);
      if (item->text() != cells[col]) item->setText(cells[col]);
      if (col == 2) item->setForeground(c.refused > 0 ? QColor(255, 0, 0) : palette().color(QPalette::Text));
    }
    ++row;
  });
  m_counters->setRowCount(row);
  if (m_recording.Capturing()) ShowCapture();
}

void BusMonitorWindow::OnCapture() {
  if (m_recording.Capturing()) {
    m_recording.StopCapture();
    return;
  }
  const QString path = chooseCaptureFile ? chooseCaptureFile() : QString();
  if (path.isEmpty()) return;
  m_recording.StartCapture(path, portName ? portName() : QString());
}

void BusMonitorWindow::ShowCapture() {
  const bool on = m_recording.Capturing();
  m_capture->setText(on ? QStringLiteral("Yakalamayı Durdur") : QStringLiteral("Yakalamayı Başlat"));
  m_captureState->setText(on ? QStringLiteral("Yakalanıyor: %1 (%2 satır)")
                                   .arg(m_recording.CapturePath())
                                   .arg(m_recording.CapturedLines())
                             : QString());
}

}  // namespace monitor
