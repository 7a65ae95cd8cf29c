#pragma once
// Conversion between UTF-8 text and Windows-1254, the controller's Turkish character
// set in which program names and the project description are stored. The table is
// our own, so the result never depends on the PC's locale.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace program {

// The character of one byte. The five bytes that Windows-1254 leaves unassigned
// (0x81, 0x8D-0x90, 0x9D, 0x9E) decode to the C1 control of the same number, so that
// every byte survives a decode-encode round trip.
char32_t Cp1254ToUnicode(std::uint8_t byte);

// The byte of one character, or nothing when the set has no such character.
std::optional<std::uint8_t> UnicodeToCp1254(char32_t c);

// UTF-8 text of the bytes; a zero byte means "no character" and is left out.
std::string Cp1254ToUtf8(std::span<const std::uint8_t> bytes);

struct Cp1254Text {
  std::vector<std::uint8_t> bytes;
  std::size_t replaced = 0;  // characters without a byte (and broken UTF-8), stored as '?'
  std::size_t dropped = 0;   // characters beyond maxChars
};

// Bytes of at most maxChars characters of the text. NUL would read back as "no
// character", so it counts as a character without a byte.
Cp1254Text Utf8ToCp1254(std::string_view utf8, std::size_t maxChars);

}  // namespace program
