#include "link/line_check.h"

#include "link/bus_protocol.h"
#include "link/hex_text.h"

namespace bus {
namespace {

constexpr std::int32_t kMemoryBytes = 65536;

int ByteAt(std::string_view hex, std::size_t index) {
  return HexDigitValue(hex[2 * index]) * 16 + HexDigitValue(hex[2 * index + 1]);
}

// Frame length in bytes (address to LRC) where the reply's content fixes it; 0 where
// any length will do. `atLeast` marks a minimum rather than an exact length.
struct Expected {
  std::size_t bytes = 0;
  bool atLeast = false;
};

Expected ExpectedBytes(const FrameHead& h) {
  constexpr auto kBlock = static_cast<std::size_t>(kBlockBytes);
  if (h.address == kCpuStation) {
    if (h.function == kReadRegistersFunction) return {3 + 32 + 1};  // 16 registers
    if (h.function == kCommandFunction && h.item == kClockItem) return {4 + 8 + 1};
    if (h.function == kCommandFunction && h.item == kBlockItem) return {8 + kBlock + 1};
    // A block acknowledgement advances the download only if it names its block.
    if (h.function == kAcknowledgeFunction && h.item == kBlockItem) return {6 + 1, true};
  }
  // A module may send more words than the PC reads, never fewer.
  if (h.address == kGpsStation && h.function == kReadRegistersFunction) return {3 + 16 + 1, true};  // 8 words
  if (IsCardStation(h.address) && h.function == kCardStatusFunction) return {2 + 20 + 1, true};
  return {};
}

}  // namespace

LineCheck CheckLine(std::string_view line) {
  LineCheck c;
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty()) return c;  // Blank
  if (line[0] != ':') {
    c.verdict = LineVerdict::NoStart;
    return c;
  }
  const std::string_view hex = line.substr(1);

  // The turn is given by the address alone; the controller's frame to the PC is not
  // read any further.
  if (hex.size() >= 2 && HexDigitValue(hex[0]) >= 0 && HexDigitValue(hex[1]) >= 0 &&
      ByteAt(hex, 0) == kPcStation) {
    c.verdict = LineVerdict::Taken;
    c.head.address = kPcStation;
    return c;
  }

  for (char ch : hex) {
    if (HexDigitValue(ch) < 0) {
      c.verdict = LineVerdict::NotHex;
      return c;
    }
  }
  if (hex.size() % 2 != 0) {
    c.verdict = LineVerdict::OddLength;
    return c;
  }
  const std::size_t n = hex.size() / 2;
  if (n < 3) {
    c.verdict = LineVerdict::TooShort;
    return c;
  }
  unsigned sum = 0;
  for (std::size_t i = 0; i < n; ++i) sum += static_cast<unsigned>(ByteAt(hex, i));
  if ((sum & 0xFF) != 0) {
    c.verdict = LineVerdict::BadLrc;
    return c;
  }

  FrameHead& h = c.head;
  h.bytes = n;
  h.address = ByteAt(hex, 0);
  h.function = ByteAt(hex, 1);
  if ((h.function == kCommandFunction || h.function == kAcknowledgeFunction) && n >= 5) {
    h.item = ByteAt(hex, 3);
    if (n >= 7) h.blockAddress = ByteAt(hex, 4) * 256 + ByteAt(hex, 5);
  }
  const Expected e = ExpectedBytes(h);
  if (e.bytes != 0 && (e.atLeast ? n < e.bytes : n != e.bytes)) {
    c.verdict = LineVerdict::WrongLength;
    return c;
  }
  if (h.address == kCpuStation && h.function == kCommandFunction && h.item == kBlockItem &&
      h.blockAddress + kBlockBytes > kMemoryBytes) {
    c.verdict = LineVerdict::PastEnd;
    return c;
  }
  c.verdict = LineVerdict::Taken;
  return c;
}

const char* VerdictText(LineVerdict verdict) {
  switch (verdict) {
    case LineVerdict::Taken:
    case LineVerdict::Blank: return "";
    case LineVerdict::NoStart: return "\":\" ile başlamıyor";
    case LineVerdict::NotHex: return "onaltılık olmayan karakter";
    case LineVerdict::OddLength: return "yarım bayt";
    case LineVerdict::TooShort: return "çok kısa";
    case LineVerdict::BadLrc: return "LRC hatalı";
    case LineVerdict::WrongLength: return "uzunluk hatalı";
    case LineVerdict::PastEnd: return "blok hafızanın dışında";
  }
  return "";
}

}  // namespace bus
