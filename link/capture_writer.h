#pragma once
// Writes a bus capture as the lines arrive. Lines are gathered and handed to the sink
// at least every half second (when the caller's timer calls Tick), so that a crash or
// a pulled cable loses at most the last second. A sink that fails stops the capture
// for good, with the reason, and never disturbs the link.

#include <cstdint>
#include <string>
#include <string_view>

#include "link/bus_line.h"
#include "link/capture_file.h"
#include "link/text_sink.h"

namespace bus {

class CaptureWriter {
 public:
  static constexpr std::int64_t kFlushAfterMicros = 500'000;
  static constexpr std::size_t kFlushBytes = 64 * 1024;

  // Writes the header at once. `startMicros` is the caller's steady clock at the start;
  // every later time is read on the same clock.
  CaptureWriter(TextSink& sink, const CaptureHeader& header, std::int64_t startMicros);
  ~CaptureWriter();
  CaptureWriter(const CaptureWriter&) = delete;
  CaptureWriter& operator=(const CaptureWriter&) = delete;

  // One bus line, with or without its CR LF. False once the capture has failed.
  bool Append(std::int64_t nowMicros, LineDirection direction, std::string_view line);
  // Hands over what waits once it is old enough; call at least twice a second.
  bool Tick(std::int64_t nowMicros);
  // Hands over everything that waits.
  bool Flush();

  bool Failed() const { return m_failed; }
  // Why the capture stopped: the sink's reason.
  const std::string& Error() const { return m_error; }
  std::uint64_t Lines() const { return m_lines; }

 private:
  TextSink& m_sink;
  std::int64_t m_start = 0;
  std::int64_t m_last = 0;           // time of the latest line, since the start
  std::int64_t m_pendingSince = -1;  // time of the oldest line not handed over
  std::string m_pending;
  std::uint64_t m_lines = 0;
  bool m_failed = false;
  std::string m_error;
};

}  // namespace bus
