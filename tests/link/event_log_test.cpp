#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "link/event_log.h"

namespace {

struct Record {
  int number, year, month, day, hour, minute, second, type, code, card, a, b;
};

void Put(program::ProgramImage& image, std::size_t slot, const Record& r) {
  const std::size_t a = 0xF000 + 16 * slot;
  const int bytes[16] = {r.number >> 8, r.number & 255, r.year >> 8, r.year & 255, r.month, r.day,
                         r.hour,        r.minute,       r.second,    r.type,       r.code,  r.card,
                         r.a >> 8,      r.a & 255,      r.b >> 8,    r.b & 255};
  for (int i = 0; i < 16; ++i) image[a + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bytes[i]);
}

}  // namespace

// The card fault and the unknown code are the alarm window's own test cases. Empty slots,
// the total and 0xFFF0 never read as a record: the comm window's log read.
TEST(EventLog, LineFormsAndTheLastSlotButNothingPastTheMemory) {
  auto image = std::make_unique<program::ProgramImage>();
  Put(*image, 0, {256, 2025, 12, 31, 23, 59, 58, 0, 2, 0, 0, 0});
  Put(*image, 1, {4, 2024, 1, 2, 3, 4, 5, 1, 12, 0, 0xAAAA, 0xBBBB});
  Put(*image, 2, {5, 2024, 1, 2, 3, 4, 5, 1, 99, 42, 0x1, 0xFFFF});
  Put(*image, 3, {6, 2024, 1, 2, 3, 4, 5, 7, 8, 9, 0x00A5, 0x1000});
  Put(*image, 4, {7, 2024, 1, 2, 3, 4, 5, 1, 11, 0, 0, 0});
  Put(*image, 254, {1, 2024, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0});  // last slot, 0xFFE0
  EXPECT_EQ(bus::DecodeEventLog(*image),
            (std::vector<std::string>{
                "No:0256(2025/12/31 23:59:58) Alarm: 02-Güç Kesildi.",
                "No:0004(2024/01/02 03:04:05) İşlemci Kartı: Program hafıza entegresi ",  // no detail words
                "No:0005(2024/01/02 03:04:05) EXT IO Kartı: Bilinmiyor [0001-FFFF]",
                "No:0006(2024/01/02 03:04:05) Undefined:07 08 09 00A5 1000",
                "No:0007(2024/01/02 03:04:05) İşlemci Kartı: Haberlesme süre aşımı ",
                "No:0001(2024/01/01 00:00:00) Alarm: 01-CPU Resetlendi."}));
  EXPECT_FALSE(bus::EventLogRecordAt(*image, 0xFFFF)) << "never reads past the memory";
}
