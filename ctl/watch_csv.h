#pragma once
// `kx7140ctl watch --csv`: the trend columns the service tool saves, one row per PC
// turn on standard output, so that a long watch can go straight into a spreadsheet.

#include <iosfwd>

#include "link/clock.h"
#include "link/register_image.h"
#include "link/trend_csv.h"

namespace ctl {

class WatchCsv {
 public:
  WatchCsv(std::ostream& out, const bus::Clock& clock, const bus::WallClockAnchor& anchor,
           char decimalSeparator);

  // The two header lines.
  void Start();
  // One row: the image at this turn.
  void Turn(const bus::RegisterImage& regs);

 private:
  std::ostream& m_out;
  const bus::Clock& m_clock;
  bus::WallClockAnchor m_anchor;
  char m_decimal;
};

}  // namespace ctl
