#pragma once
// The bus monitor ("Hat İzleyici"): every line of the bus and every frame the PC sent,
// as they come, with filters, a search, pause and the per-device counters; and the
// capture of the traffic into a file. It only looks at the recording the main window
// keeps, so closing it loses nothing.

#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;

namespace monitor {

class BusLineModel;
class BusRecording;

class BusMonitorWindow : public QWidget {
  Q_OBJECT
 public:
  explicit BusMonitorWindow(BusRecording& recording, QWidget* parent = nullptr);
  ~BusMonitorWindow() override;

  // The file a new capture goes into; "" when the user chose none. A file dialog
  // unless a test puts its own answer in.
  std::function<QString()> chooseCaptureFile;
  // Where the lines come from, for the capture's header.
  std::function<QString()> portName;

  BusLineModel& Model() { return *m_model; }
  // Wide enough for the meaning, low enough to sit under the communication window's
  // row on a 1366x768 screen.
  QSize sizeHint() const override { return {1000, 500}; }
  // The refresh timers' work, public so tests need not wait for them.
  void RefreshRows();
  void RefreshCounters();

 private:
  void Build();
  void ApplyFilter();
  void OnCapture();
  void ShowCapture();

  BusRecording& m_recording;
  BusLineModel* m_model = nullptr;
  QTimer m_rowsTimer;
  QTimer m_countersTimer;

  QComboBox* m_device = nullptr;
  QComboBox* m_function = nullptr;
  QCheckBox* m_refusedOnly = nullptr;
  QLineEdit* m_search = nullptr;
  QPushButton* m_pause = nullptr;
  QPushButton* m_capture = nullptr;
  QLabel* m_captureState = nullptr;
  QLabel* m_rowCount = nullptr;
  QTableView* m_table = nullptr;
  QTableWidget* m_counters = nullptr;
};

}  // namespace monitor
