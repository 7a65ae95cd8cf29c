#include "program/cp1254_text.h"

#include <array>

#include "program/utf8_text.h"

namespace program {

namespace {

// 0x80-0x9F: the typographic block; 0 stands for an unassigned byte.
constexpr std::array<char16_t, 32> kHigh80 = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                              0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0,      0,
                                              0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                              0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

// 0xA0-0xFF is Latin-1 except for the six Turkish letters.
constexpr char32_t TurkishOverride(std::uint8_t b) {
  switch (b) {
    case 0xD0: return 0x011E;  // Ğ
    case 0xDD: return 0x0130;  // İ
    case 0xDE: return 0x015E;  // Ş
    case 0xF0: return 0x011F;  // ğ
    case 0xFD: return 0x0131;  // ı
    case 0xFE: return 0x015F;  // ş
    default: return 0;
  }
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

char32_t Cp1254ToUnicode(std::uint8_t byte) {
  if (byte < 0x80) return byte;
  if (byte < 0xA0) {
    const char16_t c = kHigh80[byte - 0x80];
    return c != 0 ? c : byte;
  }
  const char32_t turkish = TurkishOverride(byte);
  return turkish != 0 ? turkish : byte;
}

std::optional<std::uint8_t> UnicodeToCp1254(char32_t c) {
  if (c < 0x80) return static_cast<std::uint8_t>(c);
  // 256 entries: a linear search is cheaper than keeping a reverse table in sync.
  for (unsigned b = 0x80; b <= 0xFF; ++b) {
    if (Cp1254ToUnicode(static_cast<std::uint8_t>(b)) == c) return static_cast<std::uint8_t>(b);
  }
  return std::nullopt;
}

std::string Cp1254ToUtf8(std::span<const std::uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const std::uint8_t b : bytes) {
    if (b != 0) AppendUtf8(out, Cp1254ToUnicode(b));
  }
  return out;
}

Cp1254Text Utf8ToCp1254(std::string_view utf8, std::size_t maxChars) {
  Cp1254Text result;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const char32_t c = NextUtf8CodePoint(utf8, i);
    if (result.bytes.size() >= maxChars) {
      ++result.dropped;
      continue;
    }
    const auto b = (c == kBrokenUtf8 || c == 0) ? std::nullopt : UnicodeToCp1254(c);
    if (b) {
      result.bytes.push_back(*b);
    } else {
      result.bytes.push_back('?');
      ++result.replaced;
    }
  }
  return result;
}

}  // namespace program
