#pragma once
// The program records by index: which are flash records, which are the detector
// phases, and the names the program editor offers for them.

#include <array>
#include <cstddef>
#include <string_view>

namespace program {

inline constexpr std::size_t kSystemFlashRecord = 0;
inline constexpr std::size_t kFlashProgramRecord = 1;
inline constexpr std::size_t kPedestrianRecord = 10;
inline constexpr std::size_t kFirstDetectorPhase = 11;
inline constexpr std::size_t kLastDetectorPhase = 17;
// Records 0 to 17 are offered; 18 shares its area with the weekly table.
inline constexpr std::size_t kOfferedRecordCount = 18;

inline constexpr std::string_view kDetectorApplicationName = "Dedektör Uygulamasi";

inline constexpr std::array<std::string_view, kOfferedRecordCount> kRecordNames = {
    "System Flas", "Flas Programi", "Program1", "Program2", "Program3",         "Program4",
    "Program5",    "Program6",      "Program7", "Program8", "Yaya Gecidi Prg.", "FAZ 01",
    "FAZ 02",      "FAZ 03",        "FAZ 04",   "FAZ 05",   "FAZ 06",           "FAZ 07"};

// The name shown for record X, or the empty text for a record that is not offered.
constexpr std::string_view RecordName(std::size_t record) {
  return record < kRecordNames.size() ? kRecordNames[record] : std::string_view{};
}

constexpr bool IsFlashRecord(std::size_t record) {
  return record == kSystemFlashRecord || record == kFlashProgramRecord;
}

constexpr bool IsDetectorPhase(std::size_t record) {
  return record >= kFirstDetectorPhase && record <= kLastDetectorPhase;
}

}  // namespace program
