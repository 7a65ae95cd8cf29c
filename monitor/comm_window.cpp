#include "monitor/comm_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "link/event_log.h"
#include "link/service_commands.h"
#include "monitor/abandon_question.h"
#include "monitor/harm_question.h"
#include "monitor/status_led.h"

namespace monitor {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

QPushButton* NamedButton(const char* name, const QString& text, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

QLineEdit* FrameBox(const char* name, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setReadOnly(true);
  e->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  return e;
}

QColor Colour(bus::Rgb rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

QString TransferName(bus::TransferKind kind) {
  switch (kind) {
    case bus::TransferKind::ProgramDownload: return QStringLiteral("Program yükleme");
    case bus::TransferKind::SystemDownload: return QStringLiteral("Sistem hafızası yükleme");
    case bus::TransferKind::Upload: return QStringLiteral("Hafıza okuma");
    case bus::TransferKind::LogRead: return QStringLiteral("Alarm listesi okuma");
    case bus::TransferKind::Verify: return QStringLiteral("Doğrulama okuması");
    case bus::TransferKind::None: break;
  }
  return {};
}

QString Minutes(std::int64_t ms) {
  const std::int64_t s = ms / 1000;
  return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

const QString kLockedByDownload = QStringLiteral("Program yüklemesi sürüyor: bitene kadar kullanılamaz");

}  // namespace

Frm_T_24VOC::Frm_T_24VOC(const bus::Clock& clock, bus::SharedTables& tables, QString devicePath,
                         QWidget* parent)
    : Frm_T_24VOC(std::make_unique<qtlink::LinkDriver>(clock, tables.ForLink(), std::move(devicePath)), clock,
                  tables, parent) {}

Frm_T_24VOC::Frm_T_24VOC(std::unique_ptr<bus::SerialPort> port, const bus::Clock& clock,
                         bus::SharedTables& tables, QWidget* parent)
    : Frm_T_24VOC(std::make_unique<qtlink::LinkDriver>(std::move(port), clock, tables.ForLink()), clock,
                  tables, parent) {}

Frm_T_24VOC::Frm_T_24VOC(std::unique_ptr<qtlink::LinkDriver> driver, const bus::Clock& clock,
                         bus::SharedTables& tables, QWidget* parent)
    : QWidget(parent), m_clock(clock), m_tables(tables), m_driver(std::move(driver)) {
  Build();
  m_listening = Link().Events().Listen([this](const bus::LinkEvent& e) { OnLinkEvent(e); });
  Render();
}

void Frm_T_24VOC::Build() {
  setObjectName(QStringLiteral("Frm_T_24VOC"));
  setWindowTitle(QStringLiteral("İletişim"));

  // --- link row: port, button, LED, status ---
  m_run = NamedButton("cmd_RUN", QStringLiteral("ONLINE"), this);
  m_run->setToolTip(QStringLiteral("Bağlantıyı açar veya kapatır (F5)"));
  m_portNumber = NamedLabel("Label1", QStringLiteral("0"), this);
  m_portNumber->setMinimumWidth(24);
  m_upDown = new QSpinBox(this);
  m_upDown->setObjectName(QStringLiteral("UpDown1"));
  m_upDown->setRange(0, 32767);
  m_upDown->setValue(1);
  m_portDevice = NamedLabel("PortDevice", {}, this);
  m_led = new StatusLed(this);
  m_led->setObjectName(QStringLiteral("MB_Status_Led"));
  m_status = NamedLabel("L_Comm_Status", QStringLiteral("xxx"), this);
  // Its own row, and wrapped: an error text of the port can be long.
  m_status->setWordWrap(true);

  auto* linkRow = new QHBoxLayout;
  linkRow->addWidget(new QLabel(QStringLiteral("Port"), this));
  linkRow->addWidget(m_portNumber);
  linkRow->addWidget(m_upDown);
  linkRow->addWidget(m_portDevice);
  linkRow->addSpacing(8);
  linkRow->addWidget(m_run);
  linkRow->addWidget(m_led);
  linkRow->addStretch(1);
  auto* busMonitor = NamedButton("BTN_Hat_Izleyici", QStringLiteral("Hat İzleyici"), this);
  connect(busMonitor, &QPushButton::clicked, this, &Frm_T_24VOC::busMonitorRequested);
  linkRow->addWidget(busMonitor);

  // --- frames and results ---
  m_tx = FrameBox("MB_TX_LBL", this);
  m_rx = FrameBox("MB_RX_LBL", this);
  m_refused = NamedLabel("MB_RX_Refused", {}, this);
  m_label2 = NamedLabel("Label2", QStringLiteral("----"), this);
  m_mbStatus = NamedLabel("MB_Status_LBL", QStringLiteral("----"), this);
  auto* frames = new QGridLayout;
  frames->addWidget(new QLabel(QStringLiteral("TX"), this), 0, 0);
  frames->addWidget(m_tx, 0, 1, 1, 3);
  frames->addWidget(new QLabel(QStringLiteral("RX"), this), 1, 0);
  frames->addWidget(m_rx, 1, 1, 1, 2);
  frames->addWidget(m_refused, 1, 3);
  frames->addWidget(m_label2, 2, 1, 1, 2);  // room for a warning
  frames->addWidget(m_mbStatus, 2, 3);

  // --- bus activity lamps ---
  auto* lamps = new QHBoxLayout;
  lamps->setSpacing(2);
  for (int i = 0; i < bus::kActivityLamps; ++i) {
    auto* l = new QLabel(QString::fromLatin1(bus::kActivityCaptions[static_cast<std::size_t>(i)]), this);
    l->setObjectName(QStringLiteral("LBL_COMM_ANI_%1").arg(i));
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumSize(34, 20);
    l->setFrameShape(QFrame::Box);
    l->setAutoFillBackground(true);
    m_activity[i] = l;
    lamps->addWidget(l);
  }
  lamps->addStretch(1);

  // --- command tabs ---
  m_tabs = new QTabWidget(this);
  m_tabs->setObjectName(QStringLiteral("SSTab1"));

  auto* logPage = new QGroupBox(QStringLiteral("CPU Okuma İslemleri"));
  m_readLog = NamedButton("BTN_Hata_Oku", QStringLiteral("Oku"), logPage);
  m_printLog = NamedButton("BTN_Hata_Yazdir", QStringLiteral("Yazdır"), logPage);
  m_printLog->setEnabled(false);
  auto* logFrame = new QGroupBox(QStringLiteral("Alarm Listesi (son 200 Alarm)"), logPage);
  m_logList = new QTreeWidget(logFrame);
  m_logList->setObjectName(QStringLiteral("Alarm_List_Box"));
  m_logList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_logList->setRootIsDecorated(false);
  m_logList->setUniformRowHeights(true);
  m_logList->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_logList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  m_logList->setHeaderLabels({QStringLiteral("Alarm No"), QStringLiteral("Alarm Tarih"),
                              QStringLiteral("Alarm Saat"), QStringLiteral("Açıklama")});
  m_logList->header()->setFont(font());
  // Every column as wide as its longest text: a long line scrolls, it is never cut.
  m_logList->header()->setStretchLastSection(false);
  m_logList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_logTotal = NamedLabel("LBL_Hata_Sayisi", {}, logFrame);
  auto* totalRow = new QHBoxLayout;
  totalRow->addWidget(new QLabel(QStringLiteral("Toplam Alarm Sayisi ="), logFrame));
  totalRow->addWidget(m_logTotal);
  totalRow->addStretch(1);
  auto* logFrameLayout = new QVBoxLayout(logFrame);
  logFrameLayout->addWidget(m_logList, 1);
  logFrameLayout->addLayout(totalRow);
  auto* logButtons = new QHBoxLayout;
  logButtons->addWidget(m_readLog);
  logButtons->addWidget(m_printLog);
  logButtons->addStretch(1);
  auto* logLayout = new QVBoxLayout(logPage);
  logLayout->addLayout(logButtons);
  logLayout->addWidget(logFrame, 1);

  auto* servicePage = new QGroupBox(QStringLiteral("Özel Komutlar"));
  m_services = new QComboBox(servicePage);
  m_services->setObjectName(QStringLiteral("Combo_Service_Commands"));
  for (const bus::ServiceCommand& c : bus::kServiceCommands)
    m_services->addItem(QString::fromUtf8(c.caption));
  m_services->setCurrentIndex(0);
  m_serviceSend = NamedButton("Service_cmd", QStringLiteral("Gönder"), servicePage);
  auto* serviceLayout = new QHBoxLayout(servicePage);
  serviceLayout->addWidget(m_services);
  serviceLayout->addWidget(m_serviceSend);
  serviceLayout->addStretch(1);

  auto* transferPage = new QGroupBox(QStringLiteral("Program Yükleme İşlemleri"));
  m_memoryList = new QComboBox(transferPage);
  m_memoryList->setObjectName(QStringLiteral("Combo1"));
  m_memoryList->addItems({QStringLiteral("Sistem Hafizasi"), QStringLiteral("Program Hafizasi")});
  m_memoryList->setCurrentIndex(1);
  m_download = NamedButton("PGM_Download", QStringLiteral("Cihaza Yükle"), transferPage);
  m_upload = NamedButton("PGM_Upload", QStringLiteral("Cihazdan Oku"), transferPage);
  m_verify = NamedButton("BTN_Dogrula", QStringLiteral("Doğrula"), transferPage);
  m_verify->setToolTip(QStringLiteral("Kontrolörün hafızasını okur ve projenin programıyla karşılaştırır"));
  m_progress = new QProgressBar(transferPage);
  m_progress->setObjectName(QStringLiteral("TransferProgress"));
  m_progress->setFormat(QStringLiteral("%v / %m"));
  m_progress->setVisible(false);  // nothing to show before the first transfer
  m_elapsed = NamedLabel("TransferElapsed", {}, transferPage);
  m_transferResult = NamedLabel("TransferResult", {}, transferPage);
  m_transferResult->setWordWrap(true);
  auto* transferLayout = new QGridLayout(transferPage);
  transferLayout->addWidget(m_memoryList, 0, 0);
  transferLayout->addWidget(m_download, 0, 1);
  transferLayout->addWidget(m_upload, 0, 2);
  transferLayout->addWidget(m_verify, 0, 3);
  transferLayout->addWidget(m_progress, 1, 0, 1, 4);
  transferLayout->addWidget(m_elapsed, 2, 0, 1, 4);
  transferLayout->addWidget(m_transferResult, 3, 0, 1, 4);
  transferLayout->setRowStretch(4, 1);

  auto* clockPage = new QGroupBox(QStringLiteral("Saat"));
  m_cpuClock = NamedLabel("LBL_CPU_rtc", QStringLiteral("CPU_RTC"), clockPage);
  m_pcClock = NamedLabel("LBL_PC_rtc", QStringLiteral("PC_RTC"), clockPage);
  m_setClock = NamedButton("RTC_Esitle", QStringLiteral("Saati Eşitle"), clockPage);
  auto* clockLayout = new QGridLayout(clockPage);
  clockLayout->addWidget(new QLabel(QStringLiteral("İşlemci Saati"), clockPage), 0, 0);
  clockLayout->addWidget(m_cpuClock, 0, 1);
  clockLayout->addWidget(new QLabel(QStringLiteral("PC Saati"), clockPage), 1, 0);
  clockLayout->addWidget(m_pcClock, 1, 1);
  clockLayout->addWidget(m_setClock, 2, 0);
  clockLayout->setColumnStretch(1, 1);
  clockLayout->setRowStretch(3, 1);

  for (QGroupBox* page : {logPage, servicePage, transferPage, clockPage}) m_tabs->addTab(page, page->title());
  m_tabs->setEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(linkRow);
  layout->addWidget(m_status);
  layout->addLayout(frames);
  layout->addLayout(lamps);
  layout->addWidget(m_tabs, 1);

  // Load order: the spinner shows 1, then takes the port number from the settings.
  m_portNumber->setText(QString::number(m_upDown->value()));
  connect(m_upDown, &QSpinBox::valueChanged, this, [this](int n) {
    Link().SetPortNumber(n);
    m_driver->Notify();
  });
  m_upDown->setValue(m_tables.shared.PortNumber);
  Link().SetPortNumber(m_tables.shared.PortNumber);

  connect(m_run, &QPushButton::clicked, this, &Frm_T_24VOC::cmd_RUN_Click);
  connect(m_readLog, &QPushButton::clicked, this, &Frm_T_24VOC::OnReadLog);
  connect(m_printLog, &QPushButton::clicked, this, &Frm_T_24VOC::OnPrintLog);
  connect(m_serviceSend, &QPushButton::clicked, this, &Frm_T_24VOC::OnService);
  connect(m_download, &QPushButton::clicked, this, &Frm_T_24VOC::OnDownload);
  connect(m_upload, &QPushButton::clicked, this, &Frm_T_24VOC::OnUpload);
  connect(m_verify, &QPushButton::clicked, this, [this] { Link().PGM_Verify(); });
  connect(m_setClock, &QPushButton::clicked, this, [this] { Link().RTC_Esitle(); });
  connect(m_driver.get(), &qtlink::LinkDriver::displayChanged, this, &Frm_T_24VOC::Render);

  // Wide enough for every tab's caption and a whole alarm line's date and time.
  resize(sizeHint().expandedTo(QSize(660, 560)));

  m_refresh.setInterval(500);
  connect(&m_refresh, &QTimer::timeout, this, &Frm_T_24VOC::SCR_Refresh_Timer_Tick);
  m_refresh.start();
}

Frm_T_24VOC::~Frm_T_24VOC() = default;

bool Frm_T_24VOC::ConfirmStop() {
  if (!Link().DownloadRunning()) return true;
  if (!AskAbandonDownload(this)) return false;
  Link().Stop();
  m_driver->Notify();
  return true;
}

void Frm_T_24VOC::closeEvent(QCloseEvent* event) {
  if (!ConfirmStop()) {
    event->ignore();
    return;
  }
  // The port closes with the window, and whatever ran is told as abandoned now,
  // while everyone who listens is still there.
  Link().Stop();
  m_refresh.stop();
  emit unloaded();
  QWidget::closeEvent(event);
}

void Frm_T_24VOC::OnLinkEvent(const bus::LinkEvent& event) {
  if (const auto* started = std::get_if<bus::TransferStarted>(&event)) {
    switch (started->kind) {
      case bus::TransferKind::LogRead:
        m_readLog->setEnabled(false);
        m_readLog->setText(QStringLiteral("Okunuyor"));
        m_logList->clear();
        m_logTotal->clear();
        break;
      case bus::TransferKind::Upload: m_readLog->setText(QStringLiteral("CPU Okunuyor")); break;
      case bus::TransferKind::ProgramDownload: LockCommandsForDownload(true); break;
      case bus::TransferKind::Verify: m_verifyAgainst = m_tables.image; break;
      case bus::TransferKind::SystemDownload:
      case bus::TransferKind::None: break;
    }
    // A verify read would abandon the transfer under way.
    m_verify->setEnabled(false);
    m_transferResult->clear();
    RenderTransfer();
  } else if (std::holds_alternative<bus::BlockConfirmed>(event)) {
    RenderTransfer();
  } else if (const auto* ended = std::get_if<bus::TransferEnded>(&event)) {
    OnTransferEnded(*ended);
  }
}

void Frm_T_24VOC::OnTransferEnded(const bus::TransferEnded& ended) {
  switch (ended.kind) {
    case bus::TransferKind::LogRead:
      if (ended.completed) {
        m_logList->clear();
        for (const bus::EventLogRecord& r : bus::DecodeEventLogRecords(m_tables.image)) {
          const QString whole = Q(r.line);
          auto* item = new QTreeWidgetItem(m_logList, {Q(r.no), Q(r.date), Q(r.time), Q(r.description)});
          item->setData(0, kWholeLineRole, whole);
          item->setToolTip(3, whole);
        }
        m_logTotal->setText(QString::number(bus::EventLogTotal(m_tables.image)));
        if (m_logList->topLevelItemCount() > 0) m_printLog->setEnabled(true);
      }
      m_readLog->setEnabled(true);
      m_readLog->setText(QStringLiteral("Oku"));
      break;
    case bus::TransferKind::Upload: m_readLog->setText(QStringLiteral("Oku")); break;
    case bus::TransferKind::ProgramDownload:
      LockCommandsForDownload(false);
      if (ended.completed) {
        ShowTransferResult(QStringLiteral(
            "Program yüklendi: kontrolördeki programı projeyle karşılaştırmak için Doğrula'ya basın"));
      }
      break;
    case bus::TransferKind::Verify: OnVerifyEnded(ended.completed); break;
    case bus::TransferKind::SystemDownload:
    case bus::TransferKind::None: break;
  }
  m_verify->setEnabled(true);
  RenderTransfer();
}

void Frm_T_24VOC::OnVerifyEnded(bool completed) {
  if (!completed) {
    ShowTransferResult(QStringLiteral("Doğrulama okuması yarıda kesildi: karşılaştırma yapılmadı"));
    return;
  }
  const std::vector<program::ImageDifference> differences =
      program::VerifyDownload(m_verifyAgainst, Link().VerifiedImage());
  if (differences.empty()) {
    ShowTransferResult(QStringLiteral("Doğrulandı: kontrolördeki program projedekiyle birebir aynı"));
    return;
  }
  ShowTransferResult(QStringLiteral("Doğrulama: kontrolördeki program projedekinden farklı, %1 fark")
                         .arg(differences.size()));
  emit verifyDifferences(differences);
}

void Frm_T_24VOC::ShowTransferResult(const QString& text) {
  m_transferResult->setText(text);
  emit statusMessage(text);
}

void Frm_T_24VOC::LockCommandsForDownload(bool locked) {
  // Each of these would replace the download and leave the controller half-programmed.
  for (QWidget* w : std::initializer_list<QWidget*>{m_readLog, m_serviceSend, m_setClock, m_download,
                                                    m_upload, m_verify, m_memoryList}) {
    w->setEnabled(!locked);
    w->setToolTip(locked ? kLockedByDownload : QString());
  }
}

void Frm_T_24VOC::Render() {
  const bus::LinkDisplay& d = Link().Display();
  m_run->setText(Q(d.cmd_RUN));
  m_upDown->setEnabled(d.UpDown1Enabled);
  m_portNumber->setText(Q(d.Label1));
  m_portDevice->setText(d.PortDevice.empty() ? QStringLiteral("(cihaz yok)") : Q(d.PortDevice));
  m_status->setText(Q(d.L_Comm_Status));
  m_tx->setText(Q(d.MB_TX_LBL));
  m_rx->setText(Q(d.MB_RX_LBL));
  m_label2->setText(Q(d.Warning.empty() ? d.Label2 : d.Warning));
  m_label2->setStyleSheet(d.Warning.empty() ? QString() : QStringLiteral("color: rgb(255, 0, 0);"));
  m_mbStatus->setText(Q(d.MB_Status_LBL));
  m_cpuClock->setText(Q(d.LBL_CPU_rtc));
  m_pcClock->setText(Q(d.LBL_PC_rtc));
  for (int i = 0; i < bus::kActivityLamps; ++i) {
    const QColor colour = Colour(d.LBL_COMM_ANI[static_cast<std::size_t>(i)]);
    if (m_activity[i]->palette().color(QPalette::Window) != colour) {
      QPalette pal = m_activity[i]->palette();
      pal.setColor(QPalette::Window, colour);
      m_activity[i]->setPalette(pal);
    }
  }
  RenderRefused();
}

void Frm_T_24VOC::RenderRefused() {
  const bus::DecoderCounters& c = Link().Decoder().Counters();
  const QString text = c.refused == 0 ? QString() : QStringLiteral("Reddedilen: %1").arg(c.refused);
  if (m_refused->text() == text) return;
  m_refused->setText(text);
  m_refused->setToolTip(c.refused == 0 ? QString()
                                       : QStringLiteral("Tam çerçeve olmayan satırlar; sonuncusu: %1")
                                             .arg(QString::fromUtf8(bus::VerdictText(c.lastRefusal))));
}

void Frm_T_24VOC::RenderTransfer() {
  const bus::TransferStatus& t = Link().Transfer();
  if (t.state == bus::TransferState::None) return;
  m_progress->setVisible(true);
  m_progress->setRange(0, t.blocksTotal);
  m_progress->setValue(t.blocksDone);
  QString text =
      QStringLiteral("%1: %2 / %3 blok, ").arg(TransferName(t.kind)).arg(t.blocksDone).arg(t.blocksTotal);
  const QString time = Minutes(t.ElapsedMs(m_clock.MonotonicMs()));
  switch (t.state) {
    case bus::TransferState::Completed: text += QStringLiteral("Tamamlandı (%1)").arg(time); break;
    case bus::TransferState::Abandoned: text += QStringLiteral("Yarıda kesildi (%1)").arg(time); break;
    default: text += time; break;
  }
  m_elapsed->setText(text);
}

void Frm_T_24VOC::SCR_Refresh_Timer_Tick() {
  m_driver->Notify();
  const bool open = Link().PortOpen();
  m_led->SetColor(open ? QColor(0, 255, 0) : QColor(255, 0, 0));
  m_tabs->setEnabled(open);
  // The print button follows the list: an emptied list has nothing to print.
  m_printLog->setEnabled(m_logList->topLevelItemCount() > 0);
  RenderTransfer();
  RenderRefused();
}

void Frm_T_24VOC::cmd_RUN_Click() {
  if (Link().LinkRunning() && Link().DownloadRunning() && !AskAbandonDownload(this)) return;
  Link().cmd_RUN();
  m_driver->Notify();
}

void Frm_T_24VOC::OnReadLog() { Link().BTN_Hata_Oku(); }

void Frm_T_24VOC::OnPrintLog() {
  EventLogReport report;
  for (int i = 0; i < m_logList->topLevelItemCount(); ++i) {
    report.lines << m_logList->topLevelItem(i)->data(0, kWholeLineRole).toString();
  }
  if (ProjectName) report.project = ProjectName();
  report.controllerClock = m_cpuClock->text();
  report.printed = Q(m_clock.FormatDateTime(m_clock.Now()));
  report.total = m_logTotal->text();
  const QString error = m_sink->Print(report);
  emit statusMessage(error.isEmpty()
                         ? QStringLiteral("Alarm listesi yazdırıldı (%1 satır)").arg(report.lines.size())
                         : error);
}

bool Frm_T_24VOC::Confirmed(const char* question) {
  if (!question) return true;
  if (!AskHarm) AskHarm = HarmQuestionBox(this);
  return AskHarm(QString::fromUtf8(question));
}

void Frm_T_24VOC::OnService() {
  const int index = m_services->currentIndex();
  if (index < 0 || !Confirmed(ServiceCommandQuestion(index))) return;
  Link().Service_cmd(index);
}

void Frm_T_24VOC::OnDownload() {
  const int index = m_memoryList->currentIndex();
  if (!Confirmed(DownloadQuestion(index))) return;
  Link().PGM_Download(index);
}

void Frm_T_24VOC::OnUpload() { Link().PGM_Upload(); }

}  // namespace monitor
