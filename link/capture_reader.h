#pragma once
// Reads a bus capture, a file from outside: one record at a time, so that a day of
// traffic never has to fit in memory. Lines are bounded in length and the file in
// size; a bad line is skipped, counted and named ("satır 12: yön okunamadı ..."), and
// a last line cut short by a crash is not taken for a whole one.

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "link/capture_file.h"

namespace bus {

struct CaptureLimits {
  // A record of the longest bus line the link keeps, every byte escaped, fits easily.
  std::size_t maxLineBytes = 8192;
  std::uint64_t maxFileBytes = std::uint64_t{4} << 30;
  std::size_t keptProblems = 20;
};

struct CaptureProblem {
  std::uint64_t line = 0;  // counted from 1
  std::string reason;
  std::string Text() const { return "satır " + std::to_string(line) + ": " + reason; }
};

class CaptureReader {
 public:
  explicit CaptureReader(std::istream& in, CaptureLimits limits = {});

  // Reads the header line. False when the input is not a capture this version reads;
  // Problems() then says why.
  bool ReadHeader();
  const CaptureHeader& Header() const { return m_header; }

  // The next good record; nothing at the end of the file, or once the file grew past
  // its limit. Call after ReadHeader succeeded.
  std::optional<CaptureRecord> Next();

  // Bad lines met so far and the first few of them with their reasons.
  std::uint64_t BadLines() const { return m_badLines; }
  const std::vector<CaptureProblem>& Problems() const { return m_problems; }
  std::uint64_t LinesRead() const { return m_lineNumber; }

 private:
  enum class LineRead { Whole, Cut, TooLong, End };
  LineRead NextLine();
  LineRead EndOfInput(bool any);
  bool Refill();
  void Problem(std::string reason);

  std::istream& m_in;
  CaptureLimits m_limits;
  CaptureHeader m_header;
  std::string m_buffer;
  std::size_t m_at = 0;
  std::string m_line;
  std::uint64_t m_bytesRead = 0;
  std::uint64_t m_lineNumber = 0;
  std::uint64_t m_badLines = 0;
  std::vector<CaptureProblem> m_problems;
  bool m_eof = false;
  bool m_stopped = false;  // the file is larger than allowed
  bool m_stopReported = false;
};

}  // namespace bus
