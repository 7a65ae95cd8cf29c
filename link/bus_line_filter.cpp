#include "link/bus_line_filter.h"

#include <algorithm>

namespace bus {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lowered(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), Lower);
  return out;
}

bool Contains(std::string_view haystack, std::string_view lowerNeedle) {
  if (lowerNeedle.empty()) return true;
  return std::search(haystack.begin(), haystack.end(), lowerNeedle.begin(), lowerNeedle.end(),
                     [](char a, char b) { return Lower(a) == b; }) != haystack.end();
}

bool PassesFields(const BusLineFilter& f, const BusLineView& line) {
  return (f.address < 0 || line.check.address == f.address) &&
         (f.function < 0 || line.check.function == f.function) &&
         (!f.direction || line.direction == *f.direction) &&
         (!f.refusedOnly || line.check.fault != LineFault::None);
}

}  // namespace

bool BusLineFilter::Matches(const BusLineView& line) const {
  return PassesFields(*this, line) && Contains(line.bytes, Lowered(text));
}

void FilteredLines::SetFilter(BusLineFilter filter) {
  m_filter = std::move(filter);
  m_needle = Lowered(m_filter.text);
  m_seqs.clear();
  m_scanned = 0;
}

FilteredLines::Change FilteredLines::Update(const BusLineStore& store, std::size_t maxScan) {
  Change change;
  while (!m_seqs.empty() && m_seqs.front() < store.FirstSeq()) {
    m_seqs.pop_front();
    ++change.removedFront;
  }
  std::uint64_t seq = std::max(m_scanned, store.FirstSeq());
  const std::uint64_t end = store.EndSeq();
  for (std::size_t scanned = 0; seq < end && scanned < maxScan; ++seq, ++scanned) {
    const BusLineView line = *store.Find(seq);
    if (PassesFields(m_filter, line) && Contains(line.bytes, m_needle)) {
      m_seqs.push_back(seq);
      ++change.added;
    }
  }
  m_scanned = seq;
  change.done = seq == end;
  return change;
}

}  // namespace bus
