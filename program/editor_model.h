#pragma once
// The tables into which the ProgramImage is unpacked for editing. Every range has one
// spare element at its top, so that the index ranges the editors use stay valid.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace program {

inline constexpr std::size_t kRecordCount = 33;    // record 0-32, 0-18 used
inline constexpr std::size_t kStepCount = 101;     // step 0-100, 1-100 used
inline constexpr std::size_t kStepColumns = 34;    // byte / group column 0-33
inline constexpr std::size_t kWeekDays = 8;        // day 0-7, 0-6 used
inline constexpr std::size_t kWeekDayBytes = 129;  // byte 0-128, 0-127 used

using StepRow = std::array<std::uint8_t, kStepColumns>;
using RecordSteps = std::array<StepRow, kStepCount>;

struct EditorModel {
  std::array<std::uint8_t, 129> ProjectText{};
  std::array<std::int32_t, 65> ParamWords{};
  std::array<std::array<std::uint8_t, 17>, kRecordCount> PgmNames{};
  std::array<std::array<std::uint8_t, 65>, kRecordCount> PgmSettings{};
  // Packed form: byte 0 duration in seconds, bytes 1-16 the state bytes.
  std::array<RecordSteps, kRecordCount> PgmSteps{};
  // Unpacked form: column 0 duration, column g (1-32) the code of signal group g.
  std::array<RecordSteps, kRecordCount> PgmGroups{};
  std::array<std::array<std::uint8_t, kWeekDayBytes>, kWeekDays> WeekTable{};

  bool operator==(const EditorModel&) const = default;
};

// Every table back to 0, as at process start. The model is large (about 240 KB), so
// it is cleared in place rather than by assigning a fresh temporary.
inline void ClearEditorModel(EditorModel& m) {
  m.ProjectText.fill(0);
  m.ParamWords.fill(0);
  for (auto& r : m.PgmNames) r.fill(0);
  for (auto& r : m.PgmSettings) r.fill(0);
  for (auto* table : {&m.PgmSteps, &m.PgmGroups}) {
    for (auto& record : *table) {
      for (auto& row : record) row.fill(0);
    }
  }
  for (auto& d : m.WeekTable) d.fill(0);
}

}  // namespace program
