#include "link/live_signal_plan.h"

#include <algorithm>
#include <array>
#include <set>

#include "link/trend_series.h"

namespace bus {

namespace {

constexpr std::int64_t kSecond = 1'000'000;
constexpr int kFlashBit = 8;

// A lamp word nibble, or dark while the link was down.
int CodeOf(std::int32_t value) { return value == kNoValue ? 0 : value & 0xF; }

// The code one cell shows, from the intervals of its group (time order).
int CellCode(const std::vector<StepInterval>& intervals, std::size_t& first, std::int64_t c0,
             std::int64_t c1) {
  while (first < intervals.size() && intervals[first].end <= c0 - kSecond) ++first;
  std::array<std::int64_t, 16> held{};
  std::array<int, 16> blinks{};  // on-off changes of each colour around the cell
  int previous = -1;
  for (std::size_t i = first; i < intervals.size() && intervals[i].start < c1 + kSecond; ++i) {
    const int code = CodeOf(intervals[i].value);
    const std::int64_t a = std::max(intervals[i].start, c0);
    const std::int64_t b = std::min(intervals[i].end, c1);
    if (a < b) held[static_cast<std::size_t>(code)] += b - a;
    if (previous >= 0 && (previous == 0) != (code == 0)) ++blinks[static_cast<std::size_t>(previous | code)];
    previous = code;
  }
  for (int code = 1; code < 16; ++code) {
    if (blinks[static_cast<std::size_t>(code)] >= 2) return code | kFlashBit;
  }
  return static_cast<int>(std::max_element(held.begin(), held.end()) - held.begin());
}

}  // namespace

program::SignalPlan LiveSignalPlan(const TrendStore& store, std::int64_t from, std::int64_t to,
                                   int cellSeconds) {
  program::SignalPlan plan;
  cellSeconds = std::max(cellSeconds, 1);
  const std::int64_t cell = cellSeconds * kSecond;
  const std::int64_t cells = to > from ? (to - from + cell - 1) / cell : 0;
  plan.cycleSeconds = static_cast<int>(cells * cellSeconds);
  if (cells == 0) return plan;

  for (int g = 0; g < kSignalGroups; ++g) {
    const std::vector<StepInterval> intervals = store.Steps(LampStep(g), from - kSecond, to + kSecond);
    program::PlanRow row{g + 1, {}};
    bool lit = false;
    std::size_t first = 0;
    for (std::int64_t i = 0; i < cells; ++i) {
      const int code = CellCode(intervals, first, from + i * cell, from + (i + 1) * cell);
      const int start = static_cast<int>(i * cellSeconds);
      lit = lit || code != 0;
      if (!row.intervals.empty() && row.intervals.back().code == code) {
        row.intervals.back().end = start + cellSeconds;
        continue;
      }
      row.intervals.push_back({start, start + cellSeconds, static_cast<std::uint8_t>(code), 0});
    }
    if (lit) plan.rows.push_back(std::move(row));
  }

  // Only the changes of groups that are ever lit make steps.
  std::set<int> boundaries{0, plan.cycleSeconds};
  for (const program::PlanRow& row : plan.rows) {
    for (const program::PlanInterval& in : row.intervals) boundaries.insert(in.start);
  }
  int number = 0;
  for (auto it = boundaries.begin(); std::next(it) != boundaries.end(); ++it) {
    plan.steps.push_back({++number, *std::next(it) - *it, *it, false});
  }
  for (program::PlanRow& row : plan.rows) {
    std::size_t s = 0;
    for (program::PlanInterval& in : row.intervals) {
      while (s + 1 < plan.steps.size() && plan.steps[s + 1].start <= in.start) ++s;
      in.firstStep = plan.steps[s].step;
    }
  }
  return plan;
}

}  // namespace bus
