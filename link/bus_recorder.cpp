#include "link/bus_recorder.h"

#include <utility>

namespace bus {

BusRecorder::BusRecorder(LinkEvents& events, BusLineStore* store, MicrosClock now)
    : m_store(store), m_now(std::move(now)) {
  m_listening = events.Listen([this](const LinkEvent& e) {
    if (const auto* heard = std::get_if<LineReceived>(&e)) {
      Record(LineDirection::Received, heard->line, false);
    } else if (const auto* written = std::get_if<FrameWritten>(&e)) {
      Record(LineDirection::Sent, written->frame, m_replaying);
    }
  });
}

void BusRecorder::Record(LineDirection direction, std::string_view line, bool withheld) {
  const std::int64_t now = m_now();
  if (!m_origin) m_origin = now;
  if (m_store) m_store->Append(now - *m_origin, direction, line, withheld);
  // The capture holds what was on the wire, and only that.
  if (m_writer && !withheld) {
    if (m_writer->Append(now, direction, line)) ++m_captured;
  }
}

void BusRecorder::RecordedSent(std::string_view line) { Record(LineDirection::Sent, line, false); }

bool BusRecorder::StartCapture(std::unique_ptr<TextSink> sink, const CaptureHeader& header,
                               std::string& error) {
  StopCapture();
  auto writer = std::make_unique<CaptureWriter>(*sink, header, m_now());
  if (writer->Failed()) {
    error = writer->Error();
    return false;
  }
  m_sink = std::move(sink);
  m_writer = std::move(writer);
  m_captured = 0;
  return true;
}

std::string BusRecorder::StopCapture() {
  if (!m_writer) return {};
  m_writer->Flush();
  std::string error = m_writer->Failed() ? m_writer->Error() : std::string();
  m_writer.reset();
  m_sink.reset();
  return error;
}

std::optional<std::string> BusRecorder::Tick() {
  if (!m_writer) return std::nullopt;
  m_writer->Tick(m_now());
  return Failed();
}

std::optional<std::string> BusRecorder::Failed() {
  if (!m_writer || !m_writer->Failed()) return std::nullopt;
  std::string error = m_writer->Error();
  m_writer.reset();
  m_sink.reset();
  return error;
}

}  // namespace bus
