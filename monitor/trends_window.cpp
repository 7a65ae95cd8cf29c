#include "monitor/trends_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

#include "link/number_text.h"
#include "link/register_meaning.h"
#include "link/text_sink.h"
#include "link/trend_csv.h"
#include "link/trend_series.h"
#include "monitor/trend_plot.h"
#include "monitor/trend_states_plot.h"
#include "qtlink/wall_clock.h"

namespace monitor {

namespace {

struct PlotKind {
  const char* check;  // the check box's caption
  const char* title;
};
constexpr std::array<PlotKind, TrendsWindow::kPlots> kPlotKinds = {{
    {"Şebeke gerilimi", "Şebeke gerilimi (V)"},
    {"Şebeke frekansı", "Şebeke frekansı (Hz)"},
    {"Besleme", "Besleme (V)"},
    {"Sıcaklık", "Sıcaklık (C)"},
    {"Akım", "Akım (A)"},
    {"Güç", "Güç (W)"},
    {"Kanal akımları", "Kanal akımları (A)"},
}};
constexpr int kSupplyPlot = 2;
constexpr int kCurrentsPlot = 6;
constexpr std::array<bool, TrendsWindow::kPlots> kShownAtFirst = {true,  false, true, false,
                                                                  false, false, true};

constexpr std::int64_t kMinute = TrendView::kMinute;
struct SpanChoice {
  const char* name;
  const char* caption;
  std::int64_t micros;
};
constexpr std::array<SpanChoice, 4> kSpans = {{
    {"BTN_1dk", "1 dk", kMinute},
    {"BTN_10dk", "10 dk", 10 * kMinute},
    {"BTN_1sa", "1 sa", 60 * kMinute},
    {"BTN_Tumu", "Tümü", 0},
}};

const QColor kCpuColour(0, 0, 170);

// One hue a card, lighter for its later channels.
QColor CardColour(int card, int channel) {
  return QColor::fromHsv((card * 45 + 200) % 360, 230, std::max(110, 220 - channel * 35));
}

}  // namespace

TrendsWindow::TrendsWindow(const bus::TrendStore& store, const bus::Clock& clock, QWidget* parent)
    : QWidget(parent), m_store(store), m_clock(clock) {
  setObjectName(QStringLiteral("Egilimler"));
  setWindowTitle(QStringLiteral("Eğilimler"));
  m_wallOffset = qtlink::LocalEpochOffset(qtlink::WallClockNow(clock));
  m_decimal = qtlink::SystemDecimalSeparator();

  auto* side = new QWidget(this);
  BuildControls(side);

  m_tabs = new QTabWidget(this);
  m_tabs->setObjectName(QStringLiteral("TAB_Egilimler"));
  auto* measures = new QWidget(m_tabs);
  auto* plots = new QVBoxLayout(measures);
  plots->setContentsMargins(2, 2, 2, 2);
  plots->setSpacing(2);
  for (int i = 0; i < kPlots; ++i) {
    auto* plot =
        new TrendPlot(m_store, QString::fromUtf8(kPlotKinds[static_cast<std::size_t>(i)].title), measures);
    plot->setObjectName(QStringLiteral("Plot_%1").arg(i));
    plot->setVisible(kShownAtFirst[static_cast<std::size_t>(i)]);
    plots->addWidget(plot, 1);
    m_plots[static_cast<std::size_t>(i)] = plot;
    AddPlot(plot);
  }
  m_states = new TrendStatesPlot(m_store, measures);
  m_states->setObjectName(QStringLiteral("Plot_Durumlar"));
  m_states->SetTimeAxisShown(true);
  plots->addWidget(m_states);
  AddPlot(m_states);
  m_tabs->addTab(measures, QStringLiteral("Ölçümler"));

  m_readout = new QLabel(this);
  m_readout->setObjectName(QStringLiteral("LBL_Imlec"));
  m_readout->setWordWrap(true);
  m_readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_readout->setMinimumHeight(2 * fontMetrics().lineSpacing() + 4);
  m_readout->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* right = new QVBoxLayout;
  right->addWidget(m_tabs, 1);
  right->addWidget(m_readout);
  auto* top = new QHBoxLayout(this);
  top->setContentsMargins(4, 4, 4, 4);
  top->addWidget(side);
  top->addLayout(right, 1);

  SetLines();
  m_refresh.setInterval(kRefreshMs);
  connect(&m_refresh, &QTimer::timeout, this, &TrendsWindow::Refresh);
  m_refresh.start();
  Refresh();
}

void TrendsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The first free place of the main window's area may leave the plots below the
  // bottom of a laptop's screen: the window opens at the top left instead.
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()); frame && !m_placed) frame->move(0, 0);
  m_placed = true;
}

void TrendsWindow::BuildControls(QWidget* side) {
  auto* column = new QVBoxLayout(side);
  column->setContentsMargins(0, 0, 0, 0);

  auto* spanBox = new QGroupBox(QStringLiteral("Görünüm"), side);
  auto* spanGrid = new QGridLayout(spanBox);
  m_spans = new QButtonGroup(this);
  for (std::size_t i = 0; i < kSpans.size(); ++i) {
    auto* b = new QPushButton(QString::fromUtf8(kSpans[i].caption), spanBox);
    b->setObjectName(QString::fromLatin1(kSpans[i].name));
    b->setCheckable(true);
    b->setChecked(kSpans[i].micros == m_view.Span());
    m_spans->addButton(b, static_cast<int>(i));
    spanGrid->addWidget(b, static_cast<int>(i) / 2, static_cast<int>(i) % 2);
    connect(b, &QPushButton::clicked, this, [this, m = kSpans[i].micros] { ChooseSpan(m); });
  }
  m_pause = new QPushButton(QStringLiteral("Duraklat"), spanBox);
  m_pause->setObjectName(QStringLiteral("BTN_Duraklat"));
  m_pause->setCheckable(true);
  m_pause->setToolTip(QStringLiteral("Görünüm durur, kayıt sürer"));
  spanGrid->addWidget(m_pause, 2, 0, 1, 2);
  connect(m_pause, &QPushButton::toggled, this, [this](bool paused) {
    m_view.SetPaused(paused, m_store.FirstMicros(), m_store.LastMicros());
    ApplyRange();
  });
  column->addWidget(spanBox);

  auto* plotBox = new QGroupBox(QStringLiteral("Çizimler"), side);
  auto* plotColumn = new QVBoxLayout(plotBox);
  for (int i = 0; i < kPlots; ++i) {
    auto* c = new QCheckBox(QString::fromUtf8(kPlotKinds[static_cast<std::size_t>(i)].check), plotBox);
    c->setObjectName(QStringLiteral("CHK_Cizim_%1").arg(i));
    c->setChecked(kShownAtFirst[static_cast<std::size_t>(i)]);
    plotColumn->addWidget(c);
    connect(c, &QCheckBox::toggled, this,
            [this, i](bool on) { m_plots[static_cast<std::size_t>(i)]->setVisible(on); });
    m_plotChecks[static_cast<std::size_t>(i)] = c;
  }
  column->addWidget(plotBox);

  auto* cardBox = new QGroupBox(QStringLiteral("Kartlar ve kanallar"), side);
  auto* cardGrid = new QGridLayout(cardBox);
  for (int c = 0; c < 8; ++c) {
    auto* k = new QCheckBox(QStringLiteral("K%1").arg(c + 1), cardBox);
    k->setObjectName(QStringLiteral("CHK_Kart_%1").arg(c));
    k->setChecked(c == 0);
    cardGrid->addWidget(k, c / 4, c % 4);
    connect(k, &QCheckBox::toggled, this, &TrendsWindow::SetLines);
    m_cardChecks[static_cast<std::size_t>(c)] = k;
  }
  for (int ch = 0; ch < 4; ++ch) {
    auto* k = new QCheckBox(QString::number(ch + 1), cardBox);
    k->setObjectName(QStringLiteral("CHK_Kanal_%1").arg(ch));
    k->setChecked(true);
    cardGrid->addWidget(k, 2, ch);
    connect(k, &QCheckBox::toggled, this, &TrendsWindow::SetLines);
    m_channelChecks[static_cast<std::size_t>(ch)] = k;
  }
  column->addWidget(cardBox);

  auto* save = new QPushButton(QStringLiteral("CSV olarak kaydet"), side);
  save->setObjectName(QStringLiteral("BTN_CsvKaydet"));
  connect(save, &QPushButton::clicked, this, &TrendsWindow::SaveCsv);
  column->addWidget(save);
  column->addStretch(1);
}

void TrendsWindow::AddPlot(TimePlot* plot) {
  plot->SetWallOffset(m_wallOffset);
  connect(plot, &TimePlot::cursorMoved, this, [this](qint64 t) { SetCursor(t); });
  connect(plot, &TimePlot::zoomAsked, this, &TrendsWindow::Zoom);
  connect(plot, &TimePlot::panAsked, this, &TrendsWindow::Pan);
  m_allPlots.push_back(plot);
}

std::vector<TimePlot*> TrendsWindow::Plots() const { return m_allPlots; }

void TrendsWindow::SetLines() {
  const auto single = [](bus::CpuTrend t) { return std::vector<PlotLine>{{bus::CpuSeries(t), kCpuColour}}; };
  m_plots[0]->SetLines(single(bus::CpuTrend::MainsVoltage));
  m_plots[1]->SetLines(single(bus::CpuTrend::MainsFrequency));
  m_plots[3]->SetLines(single(bus::CpuTrend::Temperature));
  m_plots[4]->SetLines(single(bus::CpuTrend::Current));
  m_plots[5]->SetLines(single(bus::CpuTrend::Power));
  std::vector<PlotLine> supply = single(bus::CpuTrend::PsuVoltage);
  std::vector<PlotLine> currents;
  for (int c = 0; c < 8; ++c) {
    if (!m_cardChecks[static_cast<std::size_t>(c)]->isChecked()) continue;
    supply.push_back({bus::CardSupplySeries(c), CardColour(c, 0)});
    for (int ch = 0; ch < 4; ++ch) {
      if (m_channelChecks[static_cast<std::size_t>(ch)]->isChecked()) {
        currents.push_back({bus::CardCurrentSeries(c, ch), CardColour(c, ch)});
      }
    }
  }
  m_plots[kSupplyPlot]->SetLines(std::move(supply));
  m_plots[kCurrentsPlot]->SetLines(std::move(currents));
  if (m_cursor >= 0) m_readout->setText(Readout(m_cursor));
}

TimeRange TrendsWindow::Visible() const {
  return m_view.Visible(m_store.FirstMicros(), m_store.LastMicros());
}

void TrendsWindow::ApplyRange() {
  const TimeRange r = Visible();
  for (TimePlot* p : m_allPlots) p->SetRange(r);
  emit rangeChanged(r.from, r.to);
}

void TrendsWindow::AddView(QWidget* view, const QString& title) {
  m_tabs->addTab(view, title);
  const TimeRange r = Visible();
  emit rangeChanged(r.from, r.to);
}

void TrendsWindow::Refresh() {
  if (!m_view.Paused()) ApplyRange();
}

void TrendsWindow::ChooseSpan(std::int64_t micros) {
  m_view.SetSpan(micros);
  if (micros == 0 && m_view.Paused()) {
    // Everything recorded: the right edge goes to the newest sample.
    m_pause->setChecked(false);
  }
  ApplyRange();
}

void TrendsWindow::Zoom(double fraction, double factor) {
  m_view.Zoom(m_store.FirstMicros(), m_store.LastMicros(), fraction, factor);
  m_pause->setChecked(true);
  m_spans->setExclusive(false);
  for (QAbstractButton* b : m_spans->buttons()) b->setChecked(false);
  m_spans->setExclusive(true);
  ApplyRange();
}

void TrendsWindow::Pan(double fraction) {
  m_view.Pan(m_store.FirstMicros(), m_store.LastMicros(), fraction);
  m_pause->setChecked(true);
  ApplyRange();
}

void TrendsWindow::SetCursor(std::int64_t micros) {
  m_cursor = micros;
  for (TimePlot* p : m_allPlots) p->SetCursor(micros);
  m_readout->setText(micros >= 0 ? Readout(micros) : QString());
}

QString TrendsWindow::Readout(std::int64_t micros) const {
  QStringList parts;
  parts << m_allPlots.front()->TimeText(micros);
  if (m_store.Empty() || micros < m_store.FirstMicros() || micros > m_store.LastMicros()) {
    parts << QStringLiteral("kayıt yok");
    return parts.join(QStringLiteral("   "));
  }
  for (const TrendPlot* plot : m_plots) {
    if (!plot->isVisibleTo(this)) continue;
    for (const PlotLine& line : plot->Lines()) {
      const std::optional<bus::TrendPoint> v = m_store.ValueAt(line.series, micros);
      if (!v) continue;
      const bus::SeriesInfo info = bus::ValueSeriesInfo(line.series);
      const auto scaled = static_cast<std::int64_t>(std::llround(v->mean));
      parts << QStringLiteral("%1 %2 %3")
                   .arg(QString::fromStdString(info.name),
                        QString::fromStdString(
                            bus::FixedText(scaled, info.decimals, false,
                                           bus::NumberSeparators{std::string(1, m_decimal), {}})),
                        QString::fromUtf8(info.unit));
    }
  }
  const auto look = [](std::optional<bus::StateLook> l) {
    return l ? QString::fromUtf8(l->text) : QStringLiteral("?");
  };
  const auto stateText = [&](int step, bool gps) {
    const std::int32_t v = m_store.StepAt(step, micros);
    if (v == bus::kNoValue) return QStringLiteral("-");
    return look(gps ? bus::GpsStateLook(v) : bus::RunStateLook(v));
  };
  parts << QStringLiteral("CPU %1").arg(stateText(bus::kCpuStateStep, false))
        << QStringLiteral("DED %1").arg(stateText(bus::kDetectorStateStep, false))
        << QStringLiteral("GPS %1").arg(stateText(bus::kGpsStateStep, true));
  for (int c = 0; c < 8; ++c) {
    if (!m_cardChecks[static_cast<std::size_t>(c)]->isChecked()) continue;
    const std::int32_t state = m_store.StepAt(bus::CardStateStep(c), micros);
    const std::int32_t fault = m_store.StepAt(bus::CardFaultStep(c), micros);
    QString text = state == bus::kNoValue ? QStringLiteral("-") : look(bus::CardStateLook(state, fault));
    if (fault != 0 && fault != bus::kNoValue)
      text += QStringLiteral(" (0x%1)").arg(fault & 0xFFFF, 4, 16, QChar('0')).toUpper();
    parts << QStringLiteral("K%1 %2").arg(c + 1).arg(text);
  }
  return parts.join(QStringLiteral("   "));
}

void TrendsWindow::SaveCsv() {
  if (m_store.Empty()) {
    emit statusMessage(QStringLiteral("Kaydedilecek eğilim yok: bağlantı açılınca kayıt başlar"));
    return;
  }
  const QString path = AskCsvPath ? AskCsvPath()
                                  : QFileDialog::getSaveFileName(this, QStringLiteral("CSV olarak kaydet"),
                                                                 QStringLiteral("egilimler.csv"),
                                                                 QStringLiteral("CSV (*.csv)"));
  if (path.isEmpty()) return;
  std::string error;
  bus::FileTextSink sink;
  bool ok = sink.Open(path.toStdString(), false, error);
  ok = ok && bus::WriteTrendCsv(m_store, sink, qtlink::WallClockNow(m_clock), m_decimal, error);
  std::string closeError;
  const bool closed = !sink.IsOpen() || sink.Close(closeError);
  if (ok && !closed) error = closeError;
  if (ok && closed) {
    emit statusMessage(QStringLiteral("Eğilimler kaydedildi: %1").arg(path));
  } else {
    emit statusMessage(QStringLiteral("Eğilimler kaydedilemedi: %1").arg(QString::fromStdString(error)));
  }
}

}  // namespace monitor
