#pragma once
// The controller parameters PR00 to PR25 as the "Parametreler" tab edits them: the
// spinner ranges, the corrections made when they are shown, and how the tab's values
// are stored back into the parameter words.

#include <array>
#include <cstdint>

#include "program/editor_model.h"

namespace program {

struct SpinnerRange {
  int min;
  int max;
  int Clamp(int v) const { return v < min ? min : v > max ? max : v; }
};

inline constexpr SpinnerRange kCardCountRange{1, 8};  // PR00
// PR02-PR07: mains voltage low/high, mains frequency low/high, supply voltage low/high.
inline constexpr std::array<SpinnerRange, 6> kLimitRanges{
    {{160, 215}, {225, 255}, {45, 47}, {52, 55}, {15, 20}, {25, 30}}};
inline constexpr SpinnerRange kFlashPeriodRange{0, 1};  // PR09
inline constexpr int kRuleSwitches = 8;                 // PR01 bits 0-7
inline constexpr int kMasterRule = 7;                   // bit 7 switches all checks
inline constexpr int kDefinitionSwitches = 2;           // PR08 bits 0-1
inline constexpr int kFilamentGroups = 32;              // PR10-PR25, a byte a group

// What the tab shows.
struct ParameterSettings {
  int cards = kCardCountRange.min;
  std::array<bool, kRuleSwitches> rules{};
  std::array<int, 6> limits{160, 225, 45, 52, 15, 25};
  std::array<bool, kDefinitionSwitches> definitions{};  // GPS, detector
  int flashPeriod = 0;
  std::array<bool, kFilamentGroups> filamentGroups{};
};

// The tab's values from the model. Values outside a spinner's range are corrected
// into it, and the corrected card count and limits are written back into the model
// at once. The flashing period, whose range is 0-1, is shown clamped too (it is
// stored clamped at the next save). The filament groups are read from the model's
// PR10-PR25, the same bytes the image holds at 0x0094 after a load.
ParameterSettings ShowParameterSettings(EditorModel& model);

// Stores the tab's values: PR00-PR63 to 0, then PR00-PR25 from the values, each
// clamped into its range, so PR26-PR63 are 0 after every save.
void StoreParameterSettings(const ParameterSettings& settings, EditorModel& model);

}  // namespace program
