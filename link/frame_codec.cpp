#include "link/frame_codec.h"

#include "link/bus_protocol.h"
#include "link/hex_text.h"
#include "program/program_image.h"

namespace bus {
namespace {

class FrameBuilder {
 public:
  explicit FrameBuilder(std::size_t bytes) {
    m_text.reserve(1 + 2 * (bytes + 1));
    m_text.push_back(':');
  }
  void Add(std::uint32_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const auto b = static_cast<std::uint8_t>(byte);
    m_text.push_back(kDigits[b >> 4]);
    m_text.push_back(kDigits[b & 0x0F]);
    m_sum += b;
  }
  void AddWord(std::uint32_t word) {
    Add((word >> 8) & 0xFF);
    Add(word & 0xFF);
  }
  std::string Finish() {
    const std::uint8_t lrc = Lrc(m_sum);
    Add(lrc);
    return std::move(m_text);
  }

 private:
  std::string m_text;
  std::uint32_t m_sum = 0;
};

bool BlockInsideImage(std::int32_t address) {
  return address >= 0 && address + kBlockBytes <= static_cast<std::int32_t>(program::kProgramImageSize);
}

void AddClock(FrameBuilder& f, const DateTime& t) {
  f.AddWord(0x0000);
  f.AddWord(0x0010);
  f.AddWord(static_cast<std::uint32_t>(t.year));
  f.Add(static_cast<std::uint32_t>(t.month));
  f.Add(static_cast<std::uint32_t>(t.day));
  f.Add(static_cast<std::uint32_t>(t.isoWeekday));
  f.Add(static_cast<std::uint32_t>(t.hour));
  f.Add(static_cast<std::uint32_t>(t.minute));
  f.Add(static_cast<std::uint32_t>(t.second));
}

// The system memory row goes out only while its download is what is asked for.
bool AddSystemRow(FrameBuilder& f, const CommandPayload& p) {
  if (p.requestCode != 200) return true;
  if (p.systemRow.size() < 17) return false;
  f.AddWord(0x0058);
  f.AddWord(0x0012);
  for (std::size_t i = 1; i <= 16; ++i) f.Add(p.systemRow[i]);
  f.AddWord(p.systemRow[0]);
  return true;
}

}  // namespace

std::string MB_Write_Single(std::uint8_t slave, std::uint8_t function, std::int32_t start,
                            std::int32_t count) {
  FrameBuilder f(6);
  f.Add(slave);
  f.Add(function);
  f.AddWord(static_cast<std::uint32_t>(start));
  f.AddWord(static_cast<std::uint32_t>(count));
  return f.Finish();
}

std::optional<std::string> MB_CPU_Command(std::uint8_t direction, std::uint8_t item,
                                          const CommandPayload& p) {
  if (direction > kCommandWrite) direction = kCommandRead;
  if (item != kServiceItem && item >= 7) item = 0;

  FrameBuilder f(4 + 4 + 128);
  f.Add(kPcStation);
  f.Add(kCommandFunction);
  f.Add(direction);
  f.Add(item);

  if (direction == kCommandRead && item == kBlockItem) {
    if (!BlockInsideImage(p.transferAddress)) return std::nullopt;
    f.AddWord(static_cast<std::uint32_t>(p.transferAddress));
    f.AddWord(static_cast<std::uint32_t>(kBlockBytes));
  } else if (direction == kCommandWrite && item == kSystemItem) {
    if (!AddSystemRow(f, p)) return std::nullopt;
  } else if (direction == kCommandWrite && item == kClockItem) {
    AddClock(f, p.now);
  } else if (direction == kCommandWrite && item == kBlockItem) {
    if (!BlockInsideImage(p.transferAddress) || p.block.size() < static_cast<std::size_t>(kBlockBytes))
      return std::nullopt;
    f.AddWord(static_cast<std::uint32_t>(p.transferAddress));
    f.AddWord(static_cast<std::uint32_t>(kBlockBytes));
    for (int i = 0; i < kBlockBytes; ++i) f.Add(p.block[static_cast<std::size_t>(i)]);
  } else if (direction == kCommandWrite && item == kServiceItem) {
    f.AddWord(static_cast<std::uint16_t>(p.requestCode));
    f.AddWord(0x0000);
  }
  return f.Finish();
}

std::optional<std::int32_t> ReadField(std::string_view line, std::size_t position, std::size_t length) {
  if (position == 0 || position > line.size()) return 0;
  const std::string_view field = line.substr(position - 1, length);
  std::int32_t value = 0;
  for (char c : field) {
    const int d = HexDigitValue(c);
    if (d < 0) return std::nullopt;
    value = value * 16 + d;
  }
  return value;
}

}  // namespace bus
