#pragma once
// The frames the controller puts on the bus, as complete lines with CR LF, and the
// strict reader for the frames the PC sends back.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "link/bus_protocol.h"
#include "link/clock.h"

namespace sim {

// Builds one line: ":", two hex digits per byte, the LRC, CR LF.
class FrameText {
 public:
  FrameText& Byte(std::uint32_t value);
  FrameText& Word(std::uint32_t value);
  FrameText& Bytes(std::span<const std::uint8_t> bytes);
  std::string Line();

 private:
  std::string m_text = ":";
  std::uint32_t m_sum = 0;
};

// A read-holding-registers request from the controller to a module.
std::string ReadRequest(std::uint8_t address, std::uint16_t start, std::uint16_t count);
// The reply of a module or of the CPU: address, 3, byte count, words.
std::string RegisterReply(std::uint8_t address, std::span<const std::uint16_t> words);
// A triac card's status: address, 206, its words (no byte count).
std::string CardStatus(int card, std::span<const std::uint16_t> words);
// Clock reply, weekday counted from 0 = Monday as the controller's clock chip does.
std::string ClockReply(const bus::DateTime& t);
std::string BlockReply(std::uint16_t address, std::span<const std::uint8_t, bus::kBlockBytes> data);
// Acknowledgement of a command-write item; a block write also names its block.
std::string Acknowledge(std::uint8_t item);
std::string AcknowledgeBlock(std::uint16_t address);
std::string ExceptionReply(std::uint8_t address, std::uint8_t code);

// A PC frame that passed the strict check: bytes between the ":" and the LRC.
struct PcFrame {
  static constexpr std::size_t kMaxBytes = 8 + bus::kBlockBytes;  // the block write
  std::array<std::uint8_t, kMaxBytes> bytes{};
  std::size_t size = 0;

  std::uint8_t address() const { return bytes[0]; }
  std::uint8_t function() const { return bytes[1]; }
  // Byte i, or 0 past the end, so that a short frame can never be read beyond.
  std::uint8_t at(std::size_t i) const { return i < size ? bytes[i] : 0; }
  std::uint16_t word(std::size_t i) const { return static_cast<std::uint16_t>(at(i) << 8 | at(i + 1)); }
};

// Strict reading of one received line (LF included): ":" first, hex digits only,
// whole bytes, at least address, function and LRC, no longer than a block write,
// CR LF at the end and a correct LRC. Anything else gives nothing.
std::optional<PcFrame> ReadPcFrame(std::string_view line);

}  // namespace sim
