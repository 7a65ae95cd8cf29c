#include "monitor/bus_recording.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <memory>

#include "link/text_sink.h"
#include "qtlink/capture_time.h"

namespace monitor {

BusRecording::BusRecording(bus::LinkEvents& events, bus::BusLineLimits limits, QObject* parent)
    : QObject(parent), m_store(limits), m_recorder(events, &m_store, [this] { return SteadyMicros(); }) {
  m_steady.start();
  m_flush.setInterval(static_cast<int>(bus::CaptureWriter::kFlushAfterMicros / 1000));
  connect(&m_flush, &QTimer::timeout, this, [this] {
    if (const auto failed = m_recorder.Tick()) {
      m_flush.stop();
      emit statusMessage(QStringLiteral("Yakalama durdu: %1").arg(QString::fromStdString(*failed)));
      emit captureChanged();
    }
  });
}

bool BusRecording::StartCapture(const QString& path, const QString& port) {
  if (Capturing()) StopCapture();
  auto sink = std::make_unique<bus::FileTextSink>();
  std::string error;
  bool started = sink->Open(path.toStdString(), false, error);
  if (started) {
    started = m_recorder.StartCapture(
        std::move(sink),
        qtlink::CaptureHeaderNow(port.toStdString(), QCoreApplication::applicationVersion().toStdString()),
        error);
  }
  if (!started) {
    emit statusMessage(QStringLiteral("Yakalama başlamadı: %1").arg(QString::fromStdString(error)));
    emit captureChanged();
    return false;
  }
  m_capturePath = path;
  m_flush.start();
  emit statusMessage(QStringLiteral("Yakalama başladı: %1").arg(path));
  emit captureChanged();
  return true;
}

void BusRecording::StopCapture() {
  if (!Capturing()) return;
  const std::uint64_t lines = CapturedLines();
  const std::string error = m_recorder.StopCapture();
  m_flush.stop();
  emit statusMessage(
      error.empty()
          ? QStringLiteral("Yakalama bitti: %1 satır, %2").arg(lines).arg(QFileInfo(m_capturePath).fileName())
          : QStringLiteral("Yakalama durdu: %1").arg(QString::fromStdString(error)));
  emit captureChanged();
}

void BusRecording::FollowReplay(std::function<std::int64_t()> playedMicros,
                                std::function<QDateTime()> startedAt) {
  m_replayMicros = std::move(playedMicros);
  m_replayStart = std::move(startedAt);
  m_recorder.FollowClock(m_replayMicros);
}

std::int64_t BusRecording::NowMicros() const {
  if (m_replayMicros) return m_replayMicros();
  const auto origin = m_recorder.OriginMicros();
  return origin ? SteadyMicros() - *origin : 0;
}

QDateTime BusRecording::WallClockAt(std::int64_t lineMicros) const {
  if (m_replayStart) {
    const QDateTime start = m_replayStart();
    return start.isValid() ? start.addMSecs(lineMicros / 1000) : start;
  }
  const std::int64_t ago = NowMicros() - lineMicros;
  return QDateTime::currentDateTime().addMSecs(-ago / 1000);
}

}  // namespace monitor
