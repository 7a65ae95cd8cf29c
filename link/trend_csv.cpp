#include "link/trend_csv.h"

#include <chrono>
#include <cstdio>

#include "link/number_text.h"

namespace bus {
namespace {

constexpr std::size_t kWriteChunk = 64 * 1024;

char FieldSeparator(char decimalSeparator) { return decimalSeparator == ',' ? ';' : ','; }

std::string OffsetText(int minutes) {
  const int m = minutes < 0 ? -minutes : minutes;
  char text[16];
  std::snprintf(text, sizeof text, "%c%02d:%02d", minutes < 0 ? '-' : '+', m / 60 % 100, m % 60);
  return text;
}

}  // namespace

std::string WallClockText(std::int64_t micros, const WallClockAnchor& anchor, char decimalSeparator) {
  using namespace std::chrono;
  const year_month_day date{year{anchor.wall.year}, month{static_cast<unsigned>(anchor.wall.month)},
                            day{static_cast<unsigned>(anchor.wall.day)}};
  const auto base =
      sys_days{date} + hours{anchor.wall.hour} + minutes{anchor.wall.minute} + seconds{anchor.wall.second};
  const auto when = time_point_cast<milliseconds>(base) +
                    duration_cast<milliseconds>(std::chrono::microseconds{micros - anchor.micros});
  const auto dayStart = floor<days>(when);
  const year_month_day d{dayStart};
  const hh_mm_ss<milliseconds> t{when - dayStart};
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d%c%03d", static_cast<int>(d.year()),
                static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()),
                static_cast<int>(t.hours().count()), static_cast<int>(t.minutes().count()),
                static_cast<int>(t.seconds().count()), decimalSeparator,
                static_cast<int>(t.subseconds().count()));
  return text;
}

std::string TrendCsvHeader(char decimalSeparator) {
  const char sep = FieldSeparator(decimalSeparator);
  std::string text = "\xEF\xBB\xBFOndalık ayırıcı";
  text += sep;
  text += decimalSeparator;
  text += "\r\nZaman";
  text += sep;
  text += "UTC farkı";
  text += sep;
  text += "Tur";
  for (int s = 0; s < kValueSeries; ++s) {
    const SeriesInfo info = ValueSeriesInfo(s);
    text += sep + info.name + " (" + info.unit + ")";
  }
  for (int s = 0; s < kStepSeries; ++s) text += sep + StepSeriesName(s);
  text += "\r\n";
  return text;
}

std::string TrendCsvRow(const TrendRow& row, const TrendSteps& steps, const WallClockAnchor& anchor,
                        char decimalSeparator) {
  const char sep = FieldSeparator(decimalSeparator);
  std::string text = WallClockText(row.start, anchor, decimalSeparator);
  text += sep + OffsetText(anchor.utcOffsetMinutes) + sep + std::to_string(row.count);
  const NumberSeparators number{std::string(1, decimalSeparator), {}};
  for (int s = 0; s < kValueSeries; ++s) {
    text += sep;
    text += FixedText(row.values[static_cast<std::size_t>(s)], ValueSeriesInfo(s).decimals, false, number);
  }
  for (int s = 0; s < kStepSeries; ++s) {
    const std::int32_t v = steps[static_cast<std::size_t>(s)];
    text += sep;
    if (v == kNoValue) continue;
    if (IsFaultWordStep(s)) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(v) & 0xFFFF);
      text += hex;
    } else {
      text += std::to_string(v);
    }
  }
  text += "\r\n";
  return text;
}

bool WriteTrendCsv(const TrendStore& store, TextSink& sink, const WallClockAnchor& anchor,
                   char decimalSeparator, std::string& error) {
  std::string pending = TrendCsvHeader(decimalSeparator);
  bool ok = true;
  TrendSteps steps;
  store.ForEachRow([&](const TrendRow& row) {
    if (!ok) return;
    for (int s = 0; s < kStepSeries; ++s) steps[static_cast<std::size_t>(s)] = store.StepAt(s, row.start);
    pending += TrendCsvRow(row, steps, anchor, decimalSeparator);
    if (pending.size() >= kWriteChunk) {
      ok = sink.Write(pending, error);
      pending.clear();
    }
  });
  return ok && sink.Write(pending, error);
}

}  // namespace bus
