#include "ctl/capture_decode.h"

#include <cstdio>
#include <fstream>
#include <ostream>

#include "ctl/exit_status.h"
#include "ctl/register_report.h"
#include "link/capture_reader.h"
#include "link/frame_meaning.h"

namespace ctl {
namespace {

// The meaning's numbers are written as the monitor writes them, with a decimal comma.
constexpr char kDecimal = ',';

std::string Seconds(std::int64_t micros) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%06lld", static_cast<long long>(micros / 1'000'000),
                static_cast<long long>(micros % 1'000'000));
  return text;
}

// The line's bytes as JSON: a byte the bus sent outside ASCII is not UTF-8, so it is
// written as the character of the same number.
std::string JsonBytes(const std::string& bytes) {
  std::string out = "\"";
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u >= 0x7F) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04X", u);
      out += esc;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

int DecodeCapture(const std::string& path, bool json, std::ostream& out, std::ostream& err) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    err << "kx7140ctl: cannot open " << path << "\n";
    return exit_status::kFile;
  }
  bus::CaptureReader reader(file);
  if (!reader.ReadHeader()) {
    err << "kx7140ctl: " << path << " is not a capture file ("
        << (reader.Problems().empty() ? std::string("empty") : reader.Problems().front().Text()) << ")\n";
    return exit_status::kFile;
  }
  while (const auto record = reader.Next()) {
    const bus::FrameMeaning m = bus::MeaningOf(record->bytes, kDecimal);
    const char* direction = record->direction == bus::LineDirection::Sent ? "T" : "R";
    const bool refused = m.fault != bus::LineFault::None;
    if (json) {
      out << "{\"time\":" << Seconds(record->micros) << ",\"direction\":\"" << direction
          << "\",\"device\":" << JsonString(m.device) << ",\"function\":" << JsonString(m.function)
          << ",\"refused\":" << (refused ? "true" : "false") << ",\"meaning\":" << JsonString(m.text)
          << ",\"line\":" << JsonBytes(record->bytes) << "}\n";
    } else {
      out << Seconds(record->micros) << '\t' << direction << '\t' << m.device << '\t' << m.function << '\t'
          << (refused ? "reddedildi: " : "") << m.text << '\t' << bus::CaptureEscaped(record->bytes) << "\n";
    }
  }
  out << std::flush;
  if (reader.BadLines() > 0) {
    err << "kx7140ctl: " << path << ": " << reader.BadLines() << " bad lines skipped";
    for (const bus::CaptureProblem& p : reader.Problems()) err << "\n  " << p.Text();
    err << "\n";
  }
  return exit_status::kDone;
}

}  // namespace ctl
