// A bus capture file from anywhere (what must hold: fuzz/README.md).

#include <sstream>
#include <tuple>

#include "fuzz/fuzz_support.h"
#include "link/capture_file.h"
#include "link/capture_reader.h"

namespace {

constexpr bus::CaptureLimits kLimits{.maxLineBytes = 600, .maxFileBytes = 1 << 20, .keptProblems = 8};

struct Taken {
  bool header = false;
  bus::CaptureHeader h;
  std::vector<bus::CaptureRecord> records;
  std::uint64_t badLines = 0;
};

Taken Read(std::string_view bytes) {
  std::istringstream in{std::string(bytes)};
  bus::CaptureReader reader(in, kLimits);
  Taken t;
  t.header = reader.ReadHeader();
  t.h = reader.Header();
  while (t.header) {
    const auto r = reader.Next();
    if (!r) break;
    KX_FUZZ_CHECK(r->micros >= 0 && r->bytes.size() <= kLimits.maxLineBytes);
    t.records.push_back(*r);
  }
  t.badLines = reader.BadLines();
  KX_FUZZ_CHECK(reader.Problems().size() == std::min<std::uint64_t>(t.badLines, kLimits.keptProblems));
  KX_FUZZ_CHECK((t.header || t.badLines == 1) && t.records.size() + t.badLines <= reader.LinesRead() + 1);
  return t;
}

auto Fields(const bus::CaptureHeader& h) {
  const bus::DateTime& s = h.start;
  return std::tie(h.version, s.year, s.month, s.day, s.hour, s.minute, s.second, s.isoWeekday,
                  h.utcOffsetMinutes, h.port, h.programVersion);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Taken first = Read(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!first.header) return 0;

  std::string text = bus::CaptureHeaderLine(first.h);
  for (const auto& r : first.records) bus::AppendCaptureRecord(text, r.micros, r.direction, r.bytes);
  const Taken again = Read(text);
  KX_FUZZ_CHECK(again.header && Fields(first.h) == Fields(again.h));
  KX_FUZZ_CHECK(again.badLines == 0 && again.records == first.records);

  return 0;
}
