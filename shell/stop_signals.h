#pragma once
// SIGINT, SIGTERM and SIGHUP (Ctrl+C, shutdown, a closed terminal or session) as an
// ordinary event of the event loop, so that the program ends the way its "Çıkış"
// does, without asking: windows unloaded, port closed, settings written.

#include <QObject>

class QSocketNotifier;

namespace shell {

// Blocks the signals for this thread and every thread started after it; call it
// first in main(), before QApplication starts threads of its own, or one of those
// would take the signal and die of it.
void BlockStopSignals();

class StopSignals : public QObject {
  Q_OBJECT
 public:
  explicit StopSignals(QObject* parent = nullptr);
  ~StopSignals() override;

 signals:
  void stopRequested(int signalNumber);

 private:
  void OnReadable();

  int m_fd = -1;
  QSocketNotifier* m_notifier = nullptr;
};

}  // namespace shell
