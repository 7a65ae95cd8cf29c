#include "link/frame_check.h"

#include "link/hex_text.h"

namespace bus {
namespace {

int ByteAt(std::string_view hex, std::size_t index) {
  const std::size_t at = 2 * index;
  if (at + 1 >= hex.size()) return -1;
  const int hi = HexDigitValue(hex[at]);
  const int lo = HexDigitValue(hex[at + 1]);
  return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

}  // namespace

FrameCheck CheckFrame(std::string_view body) {
  FrameCheck check;
  if (body.empty()) {
    check.fault = LineFault::Empty;
    return check;
  }
  if (body[0] != ':') {
    check.fault = LineFault::NoColon;
    return check;
  }
  const std::string_view hex = body.substr(1);
  check.address = ByteAt(hex, 0);
  check.function = check.address < 0 ? -1 : ByteAt(hex, 1);
  if (body.back() == '\n') {
    check.fault = LineFault::BareLf;
    return check;
  }

  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < hex.size(); ++i) {
    const int digit = HexDigitValue(hex[i]);
    if (digit < 0) {
      check.fault = LineFault::NotHex;
      return check;
    }
    sum += static_cast<std::uint32_t>(i % 2 == 0 ? digit * 16 : digit);
  }
  const std::size_t bytes = hex.size() / 2;
  if (bytes > kMaxFrameBytes) {
    check.fault = LineFault::TooLong;
  } else if (hex.size() % 2 != 0) {
    check.fault = LineFault::OddDigits;
  } else if (bytes < 3) {
    check.fault = LineFault::TooShort;
  } else if ((sum & 0xFF) != 0) {
    // The LRC makes the sum of all bytes, itself included, a multiple of 256.
    check.fault = LineFault::BadLrc;
  }
  return check;
}

const char* LineFaultText(LineFault fault) {
  switch (fault) {
    case LineFault::None: return "";
    case LineFault::Empty: return "boş satır";
    case LineFault::NoColon: return "':' ile başlamıyor";
    case LineFault::NotHex: return "onaltılık olmayan karakter";
    case LineFault::OddDigits: return "tek sayıda hane";
    case LineFault::TooShort: return "çok kısa";
    case LineFault::TooLong: return "çok uzun";
    case LineFault::BadLrc: return "LRC hatalı";
    case LineFault::BareLf: return "CR olmadan LF ile bitmiş";
  }
  return "";
}

}  // namespace bus
