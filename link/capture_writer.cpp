#include "link/capture_writer.h"

namespace bus {

CaptureWriter::CaptureWriter(TextSink& sink, const CaptureHeader& header, std::int64_t startMicros)
    : m_sink(sink), m_start(startMicros) {
  m_pending.reserve(kFlushBytes + 1024);
  m_pending += CaptureHeaderLine(header);
  Flush();
}

CaptureWriter::~CaptureWriter() { Flush(); }

bool CaptureWriter::Append(std::int64_t nowMicros, LineDirection direction, std::string_view line) {
  if (m_failed) return false;
  // A steady clock never goes back, but a caller's clock may: the file's times must not.
  const std::int64_t since = nowMicros - m_start;
  if (since > m_last) m_last = since;
  if (m_pendingSince < 0) m_pendingSince = m_last;
  AppendCaptureRecord(m_pending, m_last, direction, LineBody(line));
  ++m_lines;
  if (m_pending.size() >= kFlushBytes) return Flush();
  return Tick(nowMicros);
}

bool CaptureWriter::Tick(std::int64_t nowMicros) {
  if (m_failed) return false;
  if (m_pendingSince >= 0 && nowMicros - m_start - m_pendingSince >= kFlushAfterMicros) {
    return Flush();
  }
  return true;
}

bool CaptureWriter::Flush() {
  if (m_failed) return false;
  if (!m_pending.empty() && !m_sink.Write(m_pending, m_error)) {
    m_failed = true;
    m_pending.clear();
    return false;
  }
  m_pending.clear();
  m_pendingSince = -1;
  return true;
}

}  // namespace bus
