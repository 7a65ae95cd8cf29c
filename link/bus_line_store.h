#pragma once
// Every line of a monitoring session, heard or sent, for the bus monitor's table: a
// million lines and more in a few dozen bytes each. The bytes go into large chunks
// beside a 16-byte record (time, direction, address, function, the check's verdict);
// the meaning is made only when a row is drawn. Bounded: when full, the oldest chunk
// goes as a whole. Lines keep a sequence number for life, so a view can tell which
// rows went.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "link/bus_counters.h"
#include "link/bus_line.h"
#include "link/frame_check.h"

namespace bus {

struct BusLineLimits {
  std::size_t maxLines = 4'000'000;
  std::size_t chunkLines = 32'768;
  std::size_t chunkBytes = std::size_t{2} << 20;  // at least 64 KB
};

// One stored line, as a row shows it. `bytes` stays valid until the store next changes.
struct BusLineView {
  std::uint64_t seq = 0;
  std::int64_t micros = 0;
  LineDirection direction = LineDirection::Received;
  FrameCheck check;
  std::string_view bytes;  // without CR LF; cut at 65535 bytes
  bool withheld = false;   // built by the PC during a replay, sent nowhere
};

class BusLineStore {
 public:
  static constexpr std::size_t kMaxLineBytes = 65'535;

  explicit BusLineStore(BusLineLimits limits = {});

  // Stores a line (with or without its CR LF) and counts it. Returns how many of the
  // oldest lines went to make room: those are the rows 0..n-1 a view had before.
  // A withheld frame never was on the bus: it is shown, not counted.
  std::size_t Append(std::int64_t micros, LineDirection direction, std::string_view line,
                     bool withheld = false);
  void Clear();

  std::size_t Size() const { return static_cast<std::size_t>(m_endSeq - FirstSeq()); }
  // Sequence numbers of the oldest kept line and one past the newest.
  std::uint64_t FirstSeq() const { return m_chunks.empty() ? m_endSeq : m_chunks.front().firstSeq; }
  std::uint64_t EndSeq() const { return m_endSeq; }

  // Row 0 is the oldest line kept; row must be below Size().
  BusLineView At(std::size_t row) const { return *Find(FirstSeq() + row); }
  // Nothing for a line that went, or has not come yet.
  std::optional<BusLineView> Find(std::uint64_t seq) const;

  const BusCounters& Counters() const { return m_counters; }
  // What the store holds on the heap, reserved space included.
  std::size_t MemoryBytes() const;

 private:
  struct Record {
    std::uint32_t microsSinceBase;
    std::uint32_t offset;
    std::uint16_t length;
    std::uint8_t address;
    std::uint8_t function;
    std::uint8_t flags;  // direction, withheld, whether address and function could be read
    LineFault fault;
  };
  static_assert(sizeof(Record) == 16);

  struct Chunk {
    std::uint64_t firstSeq = 0;
    std::int64_t baseMicros = 0;
    std::vector<Record> records;
    std::unique_ptr<char[]> bytes;
    std::size_t used = 0;
    std::size_t capacity = 0;
  };

  bool Fits(const Chunk& c, std::int64_t micros, std::size_t length) const;
  std::size_t StartChunk(std::int64_t micros);
  static void Shrink(Chunk& c);

  BusLineLimits m_limits;
  std::deque<Chunk> m_chunks;
  std::uint64_t m_endSeq = 0;
  BusCounters m_counters;
};

}  // namespace bus
