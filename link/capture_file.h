#pragma once
// The text form of a bus capture: one header line ("KX7140 yakalama 1" with the start
// time and its UTC offset, the port and the program version), then one line per bus
// line: seconds since the start with microseconds, "R" (received) or "T" (sent by the
// PC), and the line's bytes without its CR LF. Bytes outside printable ASCII are
// written as \xNN and a backslash as \\, so that every byte reads back exactly. Lines
// end in CR LF; a reader takes bare LF as well.

#include <cstdint>
#include <string>
#include <string_view>

#include "link/bus_line.h"
#include "link/clock.h"

namespace bus {

inline constexpr std::string_view kCaptureMagic = "KX7140 yakalama";
inline constexpr int kCaptureVersion = 1;

struct CaptureHeader {
  int version = kCaptureVersion;
  DateTime start;            // the wall clock when the capture started
  int utcOffsetMinutes = 0;  // of that wall clock, east of UTC positive
  std::string port;
  std::string programVersion;
};

struct CaptureRecord {
  std::int64_t micros = 0;  // since the start of the capture
  LineDirection direction = LineDirection::Received;
  std::string bytes;  // the line without its CR LF (see LineBody)
  bool operator==(const CaptureRecord&) const = default;
};

// The header line, CR LF included.
std::string CaptureHeaderLine(const CaptureHeader& header);
// Appends one record line, CR LF included. A negative time is written as 0.
void AppendCaptureRecord(std::string& out, std::int64_t micros, LineDirection direction,
                         std::string_view bytes);

// A line's bytes as a record writes them: \xNN outside printable ASCII, \\ for a backslash.
std::string CaptureEscaped(std::string_view bytes);

// "2024-01-01T08:00:04+03:00".
std::string CaptureStartText(const DateTime& start, int utcOffsetMinutes);

// Each reads one line without its line end. On failure `reason` says why, in the
// words the status line shows after "satır N: ".
bool ParseCaptureHeader(std::string_view line, CaptureHeader& header, std::string& reason);
bool ParseCaptureRecord(std::string_view line, CaptureRecord& record, std::string& reason);

}  // namespace bus
