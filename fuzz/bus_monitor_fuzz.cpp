// Bytes heard on the bus, kept by the monitor's line store and put into words (what
// must hold: fuzz/README.md).

#include "fuzz/fuzz_support.h"
#include "link/bus_counters.h"
#include "link/bus_line_store.h"
#include "link/frame_meaning.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto lines = kxfuzz::Lines(std::string_view(reinterpret_cast<const char*>(data), size));
  constexpr std::size_t kMaxLines = 64;

  bus::BusLineStore store({.maxLines = kMaxLines, .chunkLines = 16, .chunkBytes = 0});
  std::uint64_t evicted = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto direction = i % 5 == 4 ? bus::LineDirection::Sent : bus::LineDirection::Received;
    evicted += store.Append(static_cast<std::int64_t>(i) * 1000, direction, lines[i]);
    KX_FUZZ_CHECK(store.Size() <= kMaxLines);
  }
  KX_FUZZ_CHECK(store.EndSeq() == lines.size() && store.FirstSeq() == evicted);

  for (std::size_t row = 0; row < store.Size(); ++row) {
    const bus::BusLineView v = store.At(row);
    const std::string_view body = bus::LineBody(lines[v.seq]);
    KX_FUZZ_CHECK(v.bytes == body.substr(0, bus::BusLineStore::kMaxLineBytes));
    const bus::FrameCheck check = bus::CheckFrame(body);
    KX_FUZZ_CHECK(v.check.fault == check.fault && v.check.address == check.address &&
                  v.check.function == check.function);
    KX_FUZZ_CHECK(!bus::MeaningOf(v.bytes, ',').text.empty());
  }

  std::uint64_t counted = 0;
  store.Counters().ForEachSeen([&](int, const bus::DeviceCount& c) { counted += c.frames + c.refused; });
  KX_FUZZ_CHECK(counted == lines.size());

  return 0;
}
