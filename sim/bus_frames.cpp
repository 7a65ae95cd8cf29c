#include "sim/bus_frames.h"

#include "link/frame_codec.h"
#include "link/hex_text.h"

namespace sim {

FrameText& FrameText::Byte(std::uint32_t value) {
  const auto b = static_cast<std::uint8_t>(value);
  m_text += bus::ByteToHex2(b);
  m_sum += b;
  return *this;
}

FrameText& FrameText::Word(std::uint32_t value) { return Byte((value >> 8) & 0xFF).Byte(value & 0xFF); }

FrameText& FrameText::Bytes(std::span<const std::uint8_t> bytes) {
  for (std::uint8_t b : bytes) Byte(b);
  return *this;
}

std::string FrameText::Line() {
  m_text += bus::ByteToHex2(bus::Lrc(m_sum));
  m_text += "\r\n";
  return std::move(m_text);
}

std::string ReadRequest(std::uint8_t address, std::uint16_t start, std::uint16_t count) {
  return bus::MB_Write_Single(address, bus::kReadRegistersFunction, start, count) + "\r\n";
}

std::string RegisterReply(std::uint8_t address, std::span<const std::uint16_t> words) {
  FrameText f;
  f.Byte(address).Byte(bus::kReadRegistersFunction).Byte(static_cast<std::uint32_t>(2 * words.size()));
  for (std::uint16_t w : words) f.Word(w);
  return f.Line();
}

std::string CardStatus(int card, std::span<const std::uint16_t> words) {
  FrameText f;
  f.Byte(bus::kFirstCardStation + static_cast<std::uint32_t>(card)).Byte(bus::kCardStatusFunction);
  for (std::uint16_t w : words) f.Word(w);
  return f.Line();
}

std::string ClockReply(const bus::DateTime& t) {
  return FrameText()
      .Byte(bus::kCpuStation)
      .Byte(bus::kCommandFunction)
      .Byte(bus::kCommandRead)
      .Byte(bus::kClockItem)
      .Word(static_cast<std::uint32_t>(t.year))
      .Byte(static_cast<std::uint32_t>(t.month))
      .Byte(static_cast<std::uint32_t>(t.day))
      .Byte(static_cast<std::uint32_t>(t.isoWeekday - 1))
      .Byte(static_cast<std::uint32_t>(t.hour))
      .Byte(static_cast<std::uint32_t>(t.minute))
      .Byte(static_cast<std::uint32_t>(t.second))
      .Line();
}

std::string BlockReply(std::uint16_t address, std::span<const std::uint8_t, bus::kBlockBytes> data) {
  return FrameText()
      .Byte(bus::kCpuStation)
      .Byte(bus::kCommandFunction)
      .Byte(bus::kCommandRead)
      .Byte(bus::kBlockItem)
      .Word(address)
      .Word(bus::kBlockBytes)
      .Bytes(data)
      .Line();
}

std::string Acknowledge(std::uint8_t item) {
  return FrameText()
      .Byte(bus::kCpuStation)
      .Byte(bus::kAcknowledgeFunction)
      .Byte(bus::kCommandWrite)
      .Byte(item)
      .Line();
}

std::string AcknowledgeBlock(std::uint16_t address) {
  return FrameText()
      .Byte(bus::kCpuStation)
      .Byte(bus::kAcknowledgeFunction)
      .Byte(bus::kCommandWrite)
      .Byte(bus::kBlockItem)
      .Word(address)
      .Word(bus::kBlockBytes)
      .Line();
}

std::string ExceptionReply(std::uint8_t address, std::uint8_t code) {
  return FrameText().Byte(address).Byte(bus::kExceptionFunction).Byte(code).Line();
}

std::optional<PcFrame> ReadPcFrame(std::string_view line) {
  if (line.size() < 2 || line.substr(line.size() - 2) != "\r\n") return std::nullopt;
  line.remove_suffix(2);
  if (line.empty() || line[0] != ':') return std::nullopt;
  line.remove_prefix(1);
  if (line.size() % 2 != 0) return std::nullopt;
  const std::size_t total = line.size() / 2;  // LRC included
  if (total < 3 || total > PcFrame::kMaxBytes + 1) return std::nullopt;

  PcFrame frame;
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < total; ++i) {
    const int hi = bus::HexDigitValue(line[2 * i]);
    const int lo = bus::HexDigitValue(line[2 * i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    const auto b = static_cast<std::uint8_t>(hi * 16 + lo);
    if (i + 1 < total) {
      frame.bytes[i] = b;
      sum += b;
    } else if (b != bus::Lrc(sum)) {
      return std::nullopt;
    }
  }
  frame.size = total - 1;
  return frame;
}

}  // namespace sim
