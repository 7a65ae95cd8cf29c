#pragma once
// Byte map of the controller's program memory: where the description, the parameter
// words, the program records and the weekly table live inside the ProgramImage.

#include <cstddef>

namespace program {

inline constexpr std::size_t kProjectTextAddress = 0x0000;
inline constexpr std::size_t kProjectTextBytes = 128;

inline constexpr std::size_t kParamWordsAddress = 0x0080;
inline constexpr std::size_t kParamWordCount = 64;

inline constexpr std::size_t kNameBytes = 16;

// Flash records (0 and 1) hold a single step.
inline constexpr std::size_t kFlashRecord1Base = 0x0F00;
inline constexpr std::size_t kFlashRecord0Base = 0x0F80;
inline constexpr std::size_t kFlashDurationOffset = 0x10;
inline constexpr std::size_t kFlashStatesOffset = 0x20;

// Program records 2 to 18, 2048 bytes each.
inline constexpr std::size_t kFirstProgramRecord = 2;
inline constexpr std::size_t kLastProgramRecord = 18;
inline constexpr std::size_t kProgramRecordsBase = 0x1000;
inline constexpr std::size_t kProgramRecordBytes = 0x800;
inline constexpr std::size_t kSettingsOffset = 0x100;
inline constexpr std::size_t kSettingsBytes = 64;
inline constexpr std::size_t kDurationsOffset = 0x140;
inline constexpr std::size_t kStatesOffset = 0x1C0;
inline constexpr std::size_t kStoredSteps = 100;  // steps 1 to 100
inline constexpr std::size_t kStateBytes = 16;    // two signal groups a byte
inline constexpr std::size_t kSignalGroups = 32;

// Weekly table: seven days of 128 bytes, 16 entries of four bytes each.
inline constexpr std::size_t kWeekTableAddress = 0x9000;
inline constexpr std::size_t kWeekTableDays = 7;
inline constexpr std::size_t kWeekDayStride = 128;
inline constexpr std::size_t kWeekEntries = 16;
inline constexpr std::size_t kWeekEntryBytes = 4;

// A program download sends 0x0000 up to kDownloadEnd, with the byte sum of everything
// below kChecksumAddress stored there (big-endian) first.
inline constexpr std::size_t kChecksumAddress = 0xB000;
inline constexpr std::size_t kDownloadEnd = 0xB080;

// The controller's event log, read into the top of the image: a ring of 255 records
// of 16 bytes, and the running total of records written, big-endian.
inline constexpr std::size_t kEventLogAddress = 0xF000;
inline constexpr std::size_t kEventLogSlots = 255;
inline constexpr std::size_t kEventRecordBytes = 16;
inline constexpr std::size_t kEventLogTotalAddress = 0xFFF0;

// First address of program record X (2 to 18).
constexpr std::size_t ProgramRecordBase(std::size_t record) {
  return kProgramRecordsBase + kProgramRecordBytes * (record - kFirstProgramRecord);
}

}  // namespace program
