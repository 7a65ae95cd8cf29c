#include "link/bus_line_store.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace bus {
namespace {

constexpr std::uint8_t kSent = 1;
constexpr std::uint8_t kHasAddress = 2;
constexpr std::uint8_t kHasFunction = 4;
constexpr std::uint8_t kWithheld = 8;
constexpr std::size_t kMinChunkBytes = std::size_t{64} << 10;

}  // namespace

BusLineStore::BusLineStore(BusLineLimits limits) : m_limits(limits) {
  m_limits.chunkLines = std::max<std::size_t>(m_limits.chunkLines, 1);
  m_limits.chunkBytes = std::max(m_limits.chunkBytes, kMinChunkBytes);
  m_limits.maxLines = std::max(m_limits.maxLines, m_limits.chunkLines);
}

void BusLineStore::Clear() {
  m_chunks.clear();
  m_counters.Clear();
}

bool BusLineStore::Fits(const Chunk& c, std::int64_t micros, std::size_t length) const {
  return c.records.size() < m_limits.chunkLines && c.used + length <= m_limits.chunkBytes &&
         micros >= c.baseMicros && micros - c.baseMicros <= std::numeric_limits<std::uint32_t>::max();
}

// A closed chunk gives back the room its lines did not need: one copy per chunk, so
// that short lines cost only what they hold.
void BusLineStore::Shrink(Chunk& c) {
  if (c.used < c.capacity) {
    auto bytes = std::make_unique_for_overwrite<char[]>(c.used);
    if (c.used > 0) std::memcpy(bytes.get(), c.bytes.get(), c.used);
    c.bytes = std::move(bytes);
    c.capacity = c.used;
  }
  if (c.records.size() < c.records.capacity()) c.records.shrink_to_fit();
}

std::size_t BusLineStore::StartChunk(std::int64_t micros) {
  std::size_t evicted = 0;
  // A chunk's lines all go at once, so the newest chunk is started only when the store
  // can hold it whole.
  while (!m_chunks.empty() && Size() + m_limits.chunkLines > m_limits.maxLines) {
    evicted += m_chunks.front().records.size();
    m_chunks.pop_front();
  }
  if (!m_chunks.empty()) Shrink(m_chunks.back());
  Chunk& c = m_chunks.emplace_back();
  c.firstSeq = m_endSeq;
  c.baseMicros = micros;
  c.records.reserve(m_limits.chunkLines);
  c.bytes = std::make_unique_for_overwrite<char[]>(m_limits.chunkBytes);
  c.capacity = m_limits.chunkBytes;
  return evicted;
}

std::size_t BusLineStore::Append(std::int64_t micros, LineDirection direction, std::string_view line,
                                 bool withheld) {
  const std::string_view body = LineBody(line);
  const FrameCheck check = CheckFrame(body);
  if (!withheld) m_counters.Count(micros, direction, check);

  const std::string_view kept = body.substr(0, kMaxLineBytes);
  std::size_t evicted = 0;
  if (m_chunks.empty() || !Fits(m_chunks.back(), micros, kept.size())) evicted = StartChunk(micros);
  Chunk& c = m_chunks.back();
  if (!kept.empty()) std::memcpy(c.bytes.get() + c.used, kept.data(), kept.size());
  const auto flags = static_cast<std::uint8_t>(
      (direction == LineDirection::Sent ? kSent : 0) | (check.address >= 0 ? kHasAddress : 0) |
      (check.function >= 0 ? kHasFunction : 0) | (withheld ? kWithheld : 0));
  c.records.push_back({static_cast<std::uint32_t>(micros - c.baseMicros), static_cast<std::uint32_t>(c.used),
                       static_cast<std::uint16_t>(kept.size()),
                       static_cast<std::uint8_t>(std::max(check.address, 0)),
                       static_cast<std::uint8_t>(std::max(check.function, 0)), flags, check.fault});
  c.used += kept.size();
  ++m_endSeq;
  return evicted;
}

std::optional<BusLineView> BusLineStore::Find(std::uint64_t seq) const {
  if (seq < FirstSeq() || seq >= m_endSeq) return std::nullopt;
  const auto after = std::upper_bound(m_chunks.begin(), m_chunks.end(), seq,
                                      [](std::uint64_t s, const Chunk& c) { return s < c.firstSeq; });
  const Chunk& c = *std::prev(after);
  const Record& r = c.records[static_cast<std::size_t>(seq - c.firstSeq)];
  BusLineView v;
  v.seq = seq;
  v.micros = c.baseMicros + r.microsSinceBase;
  v.direction = (r.flags & kSent) != 0 ? LineDirection::Sent : LineDirection::Received;
  v.withheld = (r.flags & kWithheld) != 0;
  v.check.fault = r.fault;
  v.check.address = (r.flags & kHasAddress) != 0 ? r.address : -1;
  v.check.function = (r.flags & kHasFunction) != 0 ? r.function : -1;
  v.bytes = std::string_view(c.bytes.get() + r.offset, r.length);
  return v;
}

std::size_t BusLineStore::MemoryBytes() const {
  std::size_t bytes = sizeof(*this);
  for (const Chunk& c : m_chunks) {
    bytes += sizeof(Chunk) + c.records.capacity() * sizeof(Record) + c.capacity;
  }
  return bytes;
}

}  // namespace bus
