#pragma once
// The rows of the bus monitor that pass its filters (device, function, direction,
// refused lines only, a search text in the raw line), kept as sequence numbers of the
// line store so that no line is copied. A table model asks Update on its refresh
// timer and moves its rows by the change it returns.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "link/bus_line_store.h"

namespace bus {

struct BusLineFilter {
  int address = -1;   // -1: any
  int function = -1;  // -1: any
  std::optional<LineDirection> direction{};
  bool refusedOnly = false;
  std::string text{};  // found anywhere in the raw line, ignoring ASCII case; empty: any

  bool Matches(const BusLineView& line) const;
};

class FilteredLines {
 public:
  struct Change {
    std::size_t removedFront = 0;  // rows 0..n-1 of before went with the store's oldest lines
    std::size_t added = 0;         // rows appended at the end
    bool done = true;              // false: lines are left to scan, call again
  };

  // A new filter empties the rows; the next Update scans the store again.
  void SetFilter(BusLineFilter filter);
  const BusLineFilter& Filter() const { return m_filter; }

  // Brings the rows up to the store, scanning at most `maxScan` new lines, so that a
  // new search over a million lines can be spread over a few refreshes.
  Change Update(const BusLineStore& store, std::size_t maxScan = SIZE_MAX);

  std::size_t Size() const { return m_seqs.size(); }
  std::uint64_t SeqAt(std::size_t row) const { return m_seqs[row]; }

 private:
  BusLineFilter m_filter;
  std::string m_needle;  // the search text in lower case
  std::deque<std::uint64_t> m_seqs;
  std::uint64_t m_scanned = 0;  // every line below this sequence number has been tried
};

}  // namespace bus
