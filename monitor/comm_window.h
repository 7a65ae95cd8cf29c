#pragma once
// The communication window ("İletişim"): it owns the serial port and the request
// engine while it is open, renders the link's status, and holds the command tabs
// for the event log, the service commands, program transfer and the clock. What the
// link did reaches it as the link's events.

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "link/clock.h"
#include "link/controller_link.h"
#include "link/link_events.h"
#include "link/serial_port.h"
#include "link/shared_tables.h"
#include "monitor/event_log_printer.h"
#include "program/image_compare.h"
#include "qtlink/link_driver.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

namespace monitor {

class StatusLed;

class Frm_T_24VOC : public QWidget {
  Q_OBJECT
 public:
  // A non-empty devicePath stands for the port number (--port, the demo).
  Frm_T_24VOC(const bus::Clock& clock, bus::SharedTables& tables, QString devicePath = {},
              QWidget* parent = nullptr);
  // On a port made elsewhere, such as a test's scripted one.
  Frm_T_24VOC(std::unique_ptr<bus::SerialPort> port, const bus::Clock& clock, bus::SharedTables& tables,
              QWidget* parent = nullptr);
  ~Frm_T_24VOC() override;

  bus::ControllerLink& Link() { return m_driver->Link(); }
  // The printer or PDF file the print button uses; the window keeps a default.
  void SetPrintSink(EventLogSink* sink) { m_sink = sink; }
  // The project's name for the printed log's header; none when unset.
  std::function<QString()> ProjectName;
  // Alarm_List_Box keeps each record's whole line here, in its first column.
  static constexpr int kWholeLineRole = Qt::UserRole + 1;
  // Asked before a service command or download that wipes or replaces something in
  // the controller; a question box unless a test puts its own answer in.
  std::function<bool(const QString& question)> AskHarm;

  // The 500 ms refresh, public so tests need not wait for it.
  void SCR_Refresh_Timer_Tick();
  // The link button, also for --online.
  void cmd_RUN_Click();
  // Before the link is stopped by the user (closing this window, leaving the
  // program): while a program download runs, asks whether to abandon it. True when
  // nothing runs or the user agreed; the download is then abandoned at once.
  bool ConfirmStop();

 signals:
  void unloaded();
  // The user asked for the bus monitor.
  void busMonitorRequested();
  // For the status bar of the main window.
  void statusMessage(const QString& text);
  // A verify read found the controller's program different from the project's; the
  // left values are the project's.
  void verifyDifferences(const std::vector<program::ImageDifference>& differences);

 protected:
  void closeEvent(class QCloseEvent* event) override;

 private:
  Frm_T_24VOC(std::unique_ptr<qtlink::LinkDriver> driver, const bus::Clock& clock, bus::SharedTables& tables,
              QWidget* parent);
  void Build();
  void OnLinkEvent(const bus::LinkEvent& event);
  void OnTransferEnded(const bus::TransferEnded& ended);
  void LockCommandsForDownload(bool locked);
  void Render();
  void RenderTransfer();
  void RenderRefused();
  void OnReadLog();
  void OnPrintLog();
  bool Confirmed(const char* question);
  void OnService();
  void OnDownload();
  void OnUpload();
  void OnVerifyEnded(bool completed);
  void ShowTransferResult(const QString& text);

  const bus::Clock& m_clock;
  bus::SharedTables& m_tables;
  std::unique_ptr<qtlink::LinkDriver> m_driver;
  // After the driver, so that it goes first: the window hears nothing while it dies.
  bus::LinkEvents::Subscription m_listening;
  PrinterSink m_printer{this};
  EventLogSink* m_sink = &m_printer;
  QTimer m_refresh;
  // The project as it was when the verify read began: an edit made during the
  // 512-turn read must not count as a difference on the controller.
  program::ProgramImage m_verifyAgainst{};

  QPushButton* m_run = nullptr;
  QLabel* m_portNumber = nullptr;
  QLabel* m_portDevice = nullptr;
  QSpinBox* m_upDown = nullptr;
  StatusLed* m_led = nullptr;
  QLabel* m_status = nullptr;
  QLineEdit* m_tx = nullptr;
  QLineEdit* m_rx = nullptr;
  QLabel* m_refused = nullptr;
  QLabel* m_label2 = nullptr;
  QLabel* m_mbStatus = nullptr;
  QLabel* m_cpuClock = nullptr;
  QLabel* m_pcClock = nullptr;
  QLabel* m_activity[bus::kActivityLamps] = {};
  QTabWidget* m_tabs = nullptr;
  QPushButton* m_readLog = nullptr;
  QPushButton* m_printLog = nullptr;
  QTreeWidget* m_logList = nullptr;
  QLabel* m_logTotal = nullptr;
  QComboBox* m_services = nullptr;
  QPushButton* m_serviceSend = nullptr;
  QComboBox* m_memoryList = nullptr;
  QPushButton* m_download = nullptr;
  QPushButton* m_upload = nullptr;
  QPushButton* m_verify = nullptr;
  QLabel* m_transferResult = nullptr;
  QPushButton* m_setClock = nullptr;
  QProgressBar* m_progress = nullptr;
  QLabel* m_elapsed = nullptr;
};

}  // namespace monitor
