#pragma once
// The differences between two ProgramImages in the terms the editors use: a changed
// step state, duration, program name or setting, parameter word, weekly entry, the
// description, the checksum and the event log; bytes without a meaning as address
// ranges. Used to compare two projects and to verify a download against the
// controller's memory.

#include <cstddef>
#include <string>
#include <vector>

#include "program/program_image.h"
#include "program/week_day_names.h"

namespace program {

enum class DiffArea {
  Description,  // 0x0000-0x007F, one difference for the whole text
  Parameter,    // a word PR00-PR63
  ProgramName,
  ProgramSettings,  // a settings byte of records 2-17 (0 waiting step, 1 waiting time)
  StepDuration,
  StepState,  // the code of one group in one step
  WeekEntry,  // hour, minute and program code of one weekly entry
  Checksum,   // the download checksum at 0xB000
  EventLog,   // one event-log record, or the record count at 0xFFF0
  Unmapped,   // bytes the system gives no meaning to (carried unchanged)
};

struct ImageDifference {
  DiffArea area{};
  std::size_t first = 0;  // the addresses of the field (for Unmapped: the differing run)
  std::size_t last = 0;
  int record = -1;  // record index for names, settings, durations and states
  int step = 0;     // 1-100 for durations and states
  int group = 0;    // 1-32 for states
  // "Program3 adım 5 Grup-7: Yeşil -> Kırmızı", "PR02: 180 -> 190",
  // "Pazartesi kayıt 3: 07:00 P-01 -> 07:30 P-01", "Açıklama değişti",
  // "Adres 9800-981F: 32 bayt farklı"; the left value is `before`'s.
  std::string text;
};

// Every difference below `end`, field by field: the description, the parameters, the
// flash records, records 2 to 17 (name, settings, then each step's duration and
// states, then their unused bytes), the weekly table, the checksum, the event log;
// runs of differing bytes without a meaning come as one range each. Record 18 is not
// offered by the editor: outside the weekly table its bytes count as without meaning.
std::vector<ImageDifference> CompareImages(const ProgramImage& before, const ProgramImage& after,
                                           const WeekDayNames& days = TurkishWeekDayNames(),
                                           std::size_t end = kProgramImageSize);

// What a program download of `project` would leave in the controller (0x0000 to
// 0xB07F, with the checksum written as the download writes it) against what the
// controller holds; empty when the controller holds exactly that program. The left
// values are the project's.
std::vector<ImageDifference> VerifyDownload(const ProgramImage& project, const ProgramImage& controller,
                                            const WeekDayNames& days = TurkishWeekDayNames());

}  // namespace program
