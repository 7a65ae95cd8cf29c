#include "qtlink/replay_port.h"

#include <cmath>

#include "link/bus_line.h"

namespace qtlink {
namespace {

// At speed 0 the event loop gets its turn after this many lines, so that windows
// keep drawing and the link keeps ticking.
constexpr int kLinesPerBurst = 200;

}  // namespace

ReplayPort::ReplayPort(QString path, double speed, QObject* parent)
    : QObject(parent), m_path(std::move(path)), m_speed(speed > 0 && std::isfinite(speed) ? speed : 0.0) {
  m_timer.setSingleShot(true);
  m_timer.setTimerType(Qt::PreciseTimer);
  connect(&m_timer, &QTimer::timeout, this, &ReplayPort::Play);
}

ReplayPort::~ReplayPort() = default;

std::string ReplayPort::DeviceName() const { return "kayıt: " + m_path.toStdString(); }

bus::PortResult ReplayPort::Open() {
  Close();
  m_file.open(m_path.toStdString(), std::ios::binary);
  if (!m_file) return bus::PortResult::Fail("Kayıt açılamadı: " + m_path.toStdString());
  auto reader = std::make_unique<bus::CaptureReader>(m_file);
  if (!reader->ReadHeader()) {
    const std::string why = reader->Problems().empty() ? std::string() : reader->Problems().front().Text();
    m_file.close();
    return bus::PortResult::Fail("Yakalama dosyası değil: " + why);
  }
  m_reader = std::move(reader);
  m_header = m_reader->Header();
  m_next = m_reader->Next();
  m_finished = false;
  m_playedMicros = 0;
  m_elapsed.start();
  m_timer.start(0);
  return bus::PortResult::Ok();
}

void ReplayPort::Close() {
  m_timer.stop();
  m_reader.reset();
  m_next.reset();
  if (m_file.is_open()) m_file.close();
  m_pending.clear();
}

std::string ReplayPort::ReadAll() { return std::exchange(m_pending, {}); }

void ReplayPort::Play() {
  int played = 0;
  while (m_reader && m_next) {
    if (m_speed > 0) {
      const auto due = static_cast<std::int64_t>(static_cast<double>(m_next->micros) / m_speed / 1000.0);
      const std::int64_t wait = due - m_elapsed.elapsed();
      if (wait > 0) {
        m_timer.start(static_cast<int>(std::min<std::int64_t>(wait, 1000)));
        return;
      }
    } else if (played >= kLinesPerBurst) {
      m_timer.start(0);
      return;
    }
    const bus::CaptureRecord record = std::move(*m_next);
    m_playedMicros = record.micros;
    if (record.direction == bus::LineDirection::Received) {
      m_pending += bus::LineOnWire(record.bytes);
      // The link reads at once; the handler may close this port.
      if (m_handlers.readyRead) m_handlers.readyRead();
    } else if (recordedSent) {
      recordedSent(record.bytes);
    }
    ++played;
    if (!m_reader) return;
    m_next = m_reader->Next();
  }
  if (m_reader) Finish();
}

void ReplayPort::Finish() {
  m_finished = true;
  std::string text = "Kayıt sonu: " + std::to_string(m_reader->LinesRead()) + " satır";
  if (m_reader->BadLines() > 0) {
    text += ", " + std::to_string(m_reader->BadLines()) + " hatalı satır atlandı (" +
            m_reader->Problems().front().Text() + ")";
  }
  if (m_handlers.fault) m_handlers.fault(bus::PortFault::Note, text);
  if (finished) finished(text);
}

}  // namespace qtlink
