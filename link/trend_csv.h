#pragma once
// The recorded series as CSV that a spreadsheet opens as it is: UTF-8 with a byte
// order mark, CR LF lines, a first line naming the decimal separator, then one column
// per value and one row per sample (or per thinned bucket, with its mean and the
// number of PC turns it stands for). Where the decimal separator is a comma, fields
// are separated by semicolons. `kx7140ctl watch --csv` writes the same columns, one
// row per PC turn.

#include <cstdint>
#include <string>

#include "link/clock.h"
#include "link/text_sink.h"
#include "link/trend_store.h"

namespace bus {

// The wall clock at one time of the steady clock the samples were taken on.
struct WallClockAnchor {
  std::int64_t micros = 0;
  DateTime wall;
  int utcOffsetMinutes = 0;
};

// The two header lines.
std::string TrendCsvHeader(char decimalSeparator);
// One row: its time (wall clock, milliseconds, UTC offset), the PC turns it stands for,
// the values and the step values in force.
std::string TrendCsvRow(const TrendRow& row, const TrendSteps& steps, const WallClockAnchor& anchor,
                        char decimalSeparator);
// "2024-01-01 08:00:04,200" for the steady time `micros`.
std::string WallClockText(std::int64_t micros, const WallClockAnchor& anchor, char decimalSeparator);

// The whole store, oldest row first. False with the sink's reason when writing failed.
bool WriteTrendCsv(const TrendStore& store, TextSink& sink, const WallClockAnchor& anchor,
                   char decimalSeparator, std::string& error);

}  // namespace bus
