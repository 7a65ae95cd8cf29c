#pragma once
// Warnings about signal programs and the weekly table that the editor cannot refuse
// at entry: transitions without yellow or red+yellow, states shorter than the junction's
// limits, conflicting groups green together or too soon after each other, codes the
// editor never sets, programs without any duration, and weekly entries that cannot
// switch as meant. Nothing is changed; every warning names where it is and says what
// is wrong in a line for the user.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "program/editor_model.h"
#include "program/junction_data.h"
#include "program/program_image.h"
#include "program/week_day_names.h"

namespace program {

enum class CheckKind {
  GreenWithoutYellow,   // a green step followed directly by a red one
  RedWithoutRedYellow,  // a red step followed directly by a green one
  ShortYellow,          // yellow shorter than the junction's limit
  ShortRedYellow,
  ShortGreen,
  ConflictingGreens,   // both groups of a conflicting pair green in one step
  ShortIntergreen,     // from the end of one's green to the start of the other's
  UndefinedCode,       // a code the editor does not set (5 = red and green, ...)
  NoDuration,          // groups lit in a program record whose steps all last 0 s
  WeekTimeInvalid,     // hour above 23 or minute above 59
  WeekTimeOrder,       // a switching time earlier than the entry before it
  WeekTimeRepeated,    // the same switching time twice in a day
  WeekProgramEmpty,    // switches to a program without any step duration
  WeekProgramUnknown,  // a program code without a meaning (11-16, 18 and above)
};

// A stable name for machine-readable output: "green-without-yellow", ...
std::string_view CheckKindName(CheckKind kind);

struct CheckWarning {
  CheckKind kind{};
  int record = -1;     // record index 0-17; -1 for the weekly table
  int step = 0;        // 1-99; 0 when the warning is not about one step
  int group = 0;       // 1-32; 0 when none
  int otherGroup = 0;  // the other group of a conflicting pair; 0 when none
  int day = -1;        // weekly table: day 0-6 (the grid's column)
  int entry = -1;      // weekly table: entry 0-15 (the grid's row - 1)
  // "Program3 adım 5 Grup-7: yeşilden sonra sarı yok", "Pazartesi kayıt 3: ..."
  std::string text;
};

// The warnings of one record from its steps in PgmGroups layout (the model's or a
// grid's copy), ordered by step and group. Transitions, durations and intergreens are
// taken over the steps as played, from the last back to the first; a group showing
// one state all cycle long has no end to measure. Codes are checked in every step the
// record holds, played or not. Flash records are held in their one step, so they
// need no duration.
std::vector<CheckWarning> CheckRecord(const RecordSteps& groups, std::size_t record,
                                      const JunctionData& junction);

// The warnings of the weekly table (entries with hour, minute and code all 0 are
// unused and skipped), ordered by day and entry.
std::vector<CheckWarning> CheckWeekTable(const EditorModel& model,
                                         const WeekDayNames& days = TurkishWeekDayNames());

// Every offered record (0-17) in record order, then the weekly table.
std::vector<CheckWarning> CheckModel(const EditorModel& model, const JunctionData& junction,
                                     const WeekDayNames& days = TurkishWeekDayNames());

// The same for an image, as a project load would unpack it.
std::vector<CheckWarning> CheckImage(const ProgramImage& image, const JunctionData& junction,
                                     const WeekDayNames& days = TurkishWeekDayNames());

}  // namespace program
