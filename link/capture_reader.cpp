#include "link/capture_reader.h"

#include <algorithm>

namespace bus {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

}  // namespace

CaptureReader::CaptureReader(std::istream& in, CaptureLimits limits) : m_in(in), m_limits(limits) {}

void CaptureReader::Problem(std::string reason) {
  ++m_badLines;
  if (m_problems.size() < m_limits.keptProblems) {
    m_problems.push_back({m_lineNumber, std::move(reason)});
  }
}

bool CaptureReader::Refill() {
  if (m_eof || m_stopped) return false;
  m_buffer.resize(kChunk);
  m_in.read(m_buffer.data(), static_cast<std::streamsize>(kChunk));
  auto got = static_cast<std::uint64_t>(std::max<std::streamsize>(m_in.gcount(), 0));
  if (got < kChunk) m_eof = true;
  if (m_bytesRead + got > m_limits.maxFileBytes) {
    // What lies within the limit is still read; the rest of the file is not.
    got = m_limits.maxFileBytes - m_bytesRead;
    m_stopped = true;
  }
  m_bytesRead += got;
  m_buffer.resize(static_cast<std::size_t>(got));
  m_at = 0;
  return got > 0;
}

CaptureReader::LineRead CaptureReader::NextLine() {
  m_line.clear();
  bool tooLong = false;
  bool any = false;
  for (;;) {
    if (m_at >= m_buffer.size() && !Refill()) break;
    any = true;
    const auto begin = m_buffer.begin() + static_cast<std::ptrdiff_t>(m_at);
    const auto lf = std::find(begin, m_buffer.end(), '\n');
    const auto take = static_cast<std::size_t>(lf - begin);
    if (!tooLong && m_line.size() + take <= m_limits.maxLineBytes + 1) {
      m_line.append(begin, lf);
    } else {
      tooLong = true;
    }
    m_at += take;
    if (lf != m_buffer.end()) {
      ++m_at;
      ++m_lineNumber;
      if (!m_line.empty() && m_line.back() == '\r') m_line.pop_back();
      if (m_line.size() > m_limits.maxLineBytes) tooLong = true;
      return tooLong ? LineRead::TooLong : LineRead::Whole;
    }
  }
  return EndOfInput(any);
}

// The input ended inside a line (any: with bytes of it read) or at the size limit.
CaptureReader::LineRead CaptureReader::EndOfInput(bool any) {
  if (m_stopped) {
    if (!m_stopReported) {
      m_stopReported = true;
      if (any) ++m_lineNumber;
      Problem("dosya çok büyük, ilk " + std::to_string(m_limits.maxFileBytes) + " baytı okundu");
    }
    return LineRead::End;
  }
  if (!any) return LineRead::End;
  ++m_lineNumber;
  return LineRead::Cut;
}

bool CaptureReader::ReadHeader() {
  std::string reason;
  switch (NextLine()) {
    case LineRead::Whole:
      if (ParseCaptureHeader(m_line, m_header, reason)) return true;
      break;
    case LineRead::TooLong: reason = "başlık satırı çok uzun"; break;
    case LineRead::Cut: reason = "başlık satırı yarım"; break;
    case LineRead::End: reason = "dosya boş"; break;
  }
  if (m_lineNumber == 0) m_lineNumber = 1;
  Problem(std::move(reason));
  m_eof = true;
  m_buffer.clear();
  m_at = 0;
  return false;
}

std::optional<CaptureRecord> CaptureReader::Next() {
  CaptureRecord record;
  std::string reason;
  for (;;) {
    switch (NextLine()) {
      case LineRead::End: return std::nullopt;
      case LineRead::Cut: Problem("yarım satır, dosya burada kesilmiş"); return std::nullopt;
      case LineRead::TooLong:
        Problem("satır çok uzun (en çok " + std::to_string(m_limits.maxLineBytes) + " bayt)");
        continue;
      case LineRead::Whole:
        if (m_line.empty()) continue;
        if (ParseCaptureRecord(m_line, record, reason)) return record;
        Problem(std::move(reason));
        continue;
    }
  }
}

}  // namespace bus
