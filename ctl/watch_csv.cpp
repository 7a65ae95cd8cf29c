#include "ctl/watch_csv.h"

#include <ostream>

#include "link/trend_series.h"

namespace ctl {

WatchCsv::WatchCsv(std::ostream& out, const bus::Clock& clock, const bus::WallClockAnchor& anchor,
                   char decimalSeparator)
    : m_out(out), m_clock(clock), m_anchor(anchor), m_decimal(decimalSeparator) {}

void WatchCsv::Start() { m_out << bus::TrendCsvHeader(m_decimal) << std::flush; }

void WatchCsv::Turn(const bus::RegisterImage& regs) {
  bus::TrendRow row;
  row.start = row.end = m_clock.MonotonicMs() * 1000;
  row.count = 1;
  bus::TrendSteps steps;
  bus::ReadTrendSample(regs, row.values, steps);
  // A reader at the other end of a pipe sees each turn as it comes.
  m_out << bus::TrendCsvRow(row, steps, m_anchor, m_decimal) << std::flush;
}

}  // namespace ctl
