#pragma once
// The bus traffic of a whole session, kept by the main window from the start so that
// the bus monitor shows everything since the link opened, however late it is opened:
// the line store, the recorder that fills it from the link's events and the capture
// file it may write. A capture that cannot be written ends with the reason in the
// status line; the link goes on.

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>

#include "link/bus_line_store.h"
#include "link/bus_recorder.h"
#include "link/link_events.h"

namespace monitor {

class BusRecording : public QObject {
  Q_OBJECT
 public:
  explicit BusRecording(bus::LinkEvents& events, bus::BusLineLimits limits = {}, QObject* parent = nullptr);

  const bus::BusLineStore& Store() const { return m_store; }
  bus::BusRecorder& Recorder() { return m_recorder; }

  // `port` names where the lines come from, for the file's header.
  bool StartCapture(const QString& path, const QString& port);
  void StopCapture();
  bool Capturing() const { return m_recorder.Capturing(); }
  const QString& CapturePath() const { return m_capturePath; }
  std::uint64_t CapturedLines() const { return m_recorder.CapturedLines(); }

  // Microseconds since the first line, now; and the wall clock at a line's time.
  std::int64_t NowMicros() const;
  QDateTime WallClockAt(std::int64_t lineMicros) const;

  // During a replay, time is the capture's: how far it has played, and when it
  // started (invalid before the file opened).
  void FollowReplay(std::function<std::int64_t()> playedMicros, std::function<QDateTime()> startedAt);

 signals:
  void statusMessage(const QString& text);
  void captureChanged();

 private:
  std::int64_t SteadyMicros() const { return m_steady.nsecsElapsed() / 1000; }

  QElapsedTimer m_steady;
  bus::BusLineStore m_store;
  bus::BusRecorder m_recorder;
  QTimer m_flush;
  QString m_capturePath;
  std::function<std::int64_t()> m_replayMicros;
  std::function<QDateTime()> m_replayStart;
};

}  // namespace monitor
