#pragma once
// Text form of the Modbus ASCII frames the PC sends, and the field reader for the
// lines it receives. Frames are built without CR LF; the sender appends them.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "link/clock.h"

namespace bus {

// Two's complement of the byte sum, as Modbus over serial line defines it.
constexpr std::uint8_t Lrc(std::uint32_t byteSum) {
  return static_cast<std::uint8_t>(0x100 - (byteSum & 0xFF));
}

// The eight-byte standard request (slave, function, start, count).
std::string MB_Write_Single(std::uint8_t slave, std::uint8_t function, std::int32_t start,
                            std::int32_t count);

// What a CPU command frame may carry besides direction and item. Only the parts the
// chosen item uses are read.
struct CommandPayload {
  std::int16_t requestCode = 0;
  std::int32_t transferAddress = 0;
  std::span<const std::uint8_t> block{};      // 128 bytes for a block write
  std::span<const std::uint8_t> systemRow{};  // 17 bytes: duration, then 16 state bytes
  DateTime now{};
};

// The CPU command frame to address 16, function 207. Returns nothing when the
// payload cannot be built (a block address outside the memory, a short block).
std::optional<std::string> MB_CPU_Command(std::uint8_t direction, std::uint8_t item,
                                          const CommandPayload& payload);

// The n-character field at 1-based position p of a received line, read as hex; n is
// at most 7, so that the value fits. As with a substring past the end, missing
// characters shorten the field and an empty field reads 0; a non-hex character gives
// no value.
std::optional<std::int32_t> ReadField(std::string_view line, std::size_t position, std::size_t length);

}  // namespace bus
