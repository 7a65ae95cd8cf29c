#include "program/image_compare.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <span>

#include "program/cp1254_text.h"
#include "program/memory_map.h"
#include "program/program_checksum.h"
#include "program/record_names.h"
#include "program/signal_state_look.h"
#include "program/week_entry_text.h"
#include "program/week_program_codes.h"

namespace program {

namespace {

constexpr std::size_t kLastProgramOffered = kLastDetectorPhase;

std::string Hex(std::size_t value, int digits) {
  char text[24];
  std::snprintf(text, sizeof text, "%0*zX", digits, value);
  return text;
}

// A weekly entry as its cell shows it; a code without a text of its own is named,
// since "--" and an empty code part each stand for several codes.
std::string WeekEntry(int hour, int minute, int code) {
  std::string text = WeekCellText(static_cast<std::uint8_t>(hour), static_cast<std::uint8_t>(minute),
                                  static_cast<std::uint8_t>(code));
  const bool ownText = code <= kWeekDetector || code == kWeekFlash;
  if (!ownText) text += " (kod " + std::to_string(code) + ")";
  return text;
}

class Differ {
 public:
  Differ(const ProgramImage& a, const ProgramImage& b, const WeekDayNames& days, std::size_t end)
      : m_a(a), m_b(b), m_days(days), m_end(std::min(end, kProgramImageSize)) {}

  std::vector<ImageDifference> Run() {
    if (!Same(kProjectTextAddress, kProjectTextBytes)) {
      Add(DiffArea::Description, kProjectTextAddress, kProjectTextBytes, "Açıklama değişti");
    }
    Parameters();
    Unmapped(kParamWordsAddress + 2 * kParamWordCount, kFlashRecord1Base);
    FlashRecord(kFlashProgramRecord, kFlashRecord1Base);
    Unmapped(kFlashRecord1Base + kFlashStatesOffset + kStateBytes, kFlashRecord0Base);
    FlashRecord(kSystemFlashRecord, kFlashRecord0Base);
    Unmapped(kFlashRecord0Base + kFlashStatesOffset + kStateBytes, kProgramRecordsBase);
    for (std::size_t x = kFirstProgramRecord; x <= kLastProgramOffered; ++x) ProgramRecord(x);
    WeekTable();
    Unmapped(ProgramRecordBase(kLastProgramRecord) + kProgramRecordBytes, kChecksumAddress);
    Checksum();
    Unmapped(kChecksumAddress + 2, kEventLogAddress);
    EventLog();
    Unmapped(kEventLogTotalAddress + 2, kProgramImageSize);
    return std::move(m_out);
  }

 private:
  bool Same(std::size_t first, std::size_t count) const {
    const std::size_t stop = std::min(first + count, m_end);
    return first >= stop || std::equal(m_a.begin() + static_cast<std::ptrdiff_t>(first),
                                       m_a.begin() + static_cast<std::ptrdiff_t>(stop),
                                       m_b.begin() + static_cast<std::ptrdiff_t>(first));
  }
  int Word(const ProgramImage& image, std::size_t at) const { return image[at] << 8 | image[at + 1]; }

  void Add(DiffArea area, std::size_t first, std::size_t count, std::string text, int record = -1,
           int step = 0, int group = 0) {
    m_out.push_back({area, first, first + count - 1, record, step, group, std::move(text)});
  }

  static std::string Change(const std::string& before, const std::string& after) {
    return before + " -> " + after;
  }
  static std::string Change(int before, int after) {
    return std::to_string(before) + " -> " + std::to_string(after);
  }

  void Parameters() {
    for (std::size_t n = 0; n < kParamWordCount; ++n) {
      const std::size_t at = kParamWordsAddress + 2 * n;
      if (Same(at, 2)) continue;
      Add(DiffArea::Parameter, at, 2,
          "PR" + std::string(n < 10 ? "0" : "") + std::to_string(n) + ": " +
              Change(Word(m_a, at), Word(m_b, at)));
    }
  }

  void Name(std::size_t x, std::size_t at) {
    if (Same(at, kNameBytes)) return;
    const auto name = [at](const ProgramImage& image) {
      return "\"" + Cp1254ToUtf8(std::span<const std::uint8_t>(image.data() + at, kNameBytes)) + "\"";
    };
    Add(DiffArea::ProgramName, at, kNameBytes,
        std::string(RecordName(x)) + " adı: " + Change(name(m_a), name(m_b)), static_cast<int>(x));
  }

  void Step(std::size_t x, int step, std::size_t durationAt, std::size_t statesAt) {
    const std::string where = std::string(RecordName(x)) + " adım " + std::to_string(step);
    if (!Same(durationAt, 1)) {
      Add(DiffArea::StepDuration, durationAt, 1, where + " süre: " + Change(m_a[durationAt], m_b[durationAt]),
          static_cast<int>(x), step);
    }
    if (Same(statesAt, kStateBytes)) return;
    for (std::size_t g = 1; g <= kSignalGroups; ++g) {
      const std::size_t at = statesAt + (g - 1) / 2;
      if (at >= m_end) return;
      const int shift = g % 2 == 1 ? 4 : 0;
      const int before = (m_a[at] >> shift) & 0x0F;
      const int after = (m_b[at] >> shift) & 0x0F;
      if (before == after) continue;
      Add(DiffArea::StepState, at, 1,
          where + " Grup-" + std::to_string(g) + ": " +
              Change(SignalStateName(before), SignalStateName(after)),
          static_cast<int>(x), step, static_cast<int>(g));
    }
  }

  void FlashRecord(std::size_t x, std::size_t base) {
    Name(x, base);
    Step(x, 1, base + kFlashDurationOffset, base + kFlashStatesOffset);
    // The durations of steps 2 to 16 of a one-step record: padding, written as 0.
    Unmapped(base + kFlashDurationOffset + 1, base + kFlashStatesOffset);
  }

  void ProgramRecord(std::size_t x) {
    const std::size_t base = ProgramRecordBase(x);
    Name(x, base);
    for (std::size_t i = 0; i < kSettingsBytes; ++i) {
      const std::size_t at = base + kSettingsOffset + i;
      if (Same(at, 1)) continue;
      const std::string what = i == 0   ? " bekleme adımı: "
                               : i == 1 ? " bekleme süresi: "
                                        : " ayar baytı " + std::to_string(i) + ": ";
      Add(DiffArea::ProgramSettings, at, 1, std::string(RecordName(x)) + what + Change(m_a[at], m_b[at]),
          static_cast<int>(x));
    }
    for (std::size_t s = 1; s <= kStoredSteps; ++s) {
      Step(x, static_cast<int>(s), base + kDurationsOffset + s - 1,
           base + kStatesOffset + kStateBytes * (s - 1));
    }
    Unmapped(base + kNameBytes, base + kSettingsOffset);
    Unmapped(base + kDurationsOffset + kStoredSteps, base + kStatesOffset);
  }

  void WeekTable() {
    for (std::size_t d = 0; d < kWeekTableDays; ++d) {
      const std::size_t day = kWeekTableAddress + kWeekDayStride * d;
      for (std::size_t e = 0; e < kWeekEntries; ++e) {
        const std::size_t at = day + kWeekEntryBytes * e;
        if (!Same(at, 3)) {
          const auto entry = [at](const ProgramImage& i) { return WeekEntry(i[at], i[at + 1], i[at + 2]); };
          Add(DiffArea::WeekEntry, at, 3,
              m_days[d] + " kayıt " + std::to_string(e + 1) + ": " + Change(entry(m_a), entry(m_b)));
        }
        Unmapped(at + 3, at + kWeekEntryBytes);  // the fourth byte is only carried
      }
      Unmapped(day + kWeekEntryBytes * kWeekEntries, day + kWeekDayStride);
    }
    // The rest of record 18, which no editor shows.
    const std::size_t weekEnd = kWeekTableAddress + kWeekDayStride * kWeekTableDays;
    Unmapped(weekEnd, ProgramRecordBase(kLastProgramRecord) + kProgramRecordBytes);
  }

  void Checksum() {
    if (Same(kChecksumAddress, 2)) return;
    Add(DiffArea::Checksum, kChecksumAddress, 2,
        "Sağlama toplamı: " + Change(Hex(static_cast<std::size_t>(Word(m_a, kChecksumAddress)), 4),
                                     Hex(static_cast<std::size_t>(Word(m_b, kChecksumAddress)), 4)));
  }

  void EventLog() {
    for (std::size_t r = 0; r < kEventLogSlots; ++r) {
      const std::size_t at = kEventLogAddress + kEventRecordBytes * r;
      if (Same(at, kEventRecordBytes)) continue;
      Add(DiffArea::EventLog, at, kEventRecordBytes, "Olay kaydı " + std::to_string(r + 1) + " farklı");
    }
    if (!Same(kEventLogTotalAddress, 2)) {
      Add(DiffArea::EventLog, kEventLogTotalAddress, 2,
          "Olay kaydı sayısı: " + Change(Word(m_a, kEventLogTotalAddress), Word(m_b, kEventLogTotalAddress)));
    }
  }

  // Each run of differing bytes in [first, stop) as one address range.
  void Unmapped(std::size_t first, std::size_t stop) {
    stop = std::min(stop, m_end);
    for (std::size_t a = first; a < stop;) {
      if (m_a[a] == m_b[a]) {
        ++a;
        continue;
      }
      const std::size_t from = a;
      while (a < stop && m_a[a] != m_b[a]) ++a;
      const std::size_t count = a - from;
      std::string range = Hex(from, 4);
      if (count > 1) range += "-" + Hex(a - 1, 4);
      Add(DiffArea::Unmapped, from, count, "Adres " + range + ": " + std::to_string(count) + " bayt farklı");
    }
  }

  const ProgramImage& m_a;
  const ProgramImage& m_b;
  const WeekDayNames& m_days;
  std::size_t m_end;
  std::vector<ImageDifference> m_out;
};

}  // namespace

std::vector<ImageDifference> CompareImages(const ProgramImage& before, const ProgramImage& after,
                                           const WeekDayNames& days, std::size_t end) {
  return Differ(before, after, days, end).Run();
}

std::vector<ImageDifference> VerifyDownload(const ProgramImage& project, const ProgramImage& controller,
                                            const WeekDayNames& days) {
  auto sent = std::make_unique<ProgramImage>(project);
  WriteProgramChecksum(*sent);
  return CompareImages(*sent, controller, days, kDownloadEnd);
}

}  // namespace program
