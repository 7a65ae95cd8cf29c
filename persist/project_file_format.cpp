#include "persist/project_file_format.h"

#include <array>
#include <cstdint>
#include <optional>

#include "persist/text_lines.h"

namespace persist {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Digit value by character, -1 for a character that is not a hex digit: a table,
// because the reader looks up 131,072 digits for every file it opens.
constexpr std::array<std::int8_t, 256> kHexValues = [] {
  std::array<std::int8_t, 256> t{};
  t.fill(-1);
  for (std::size_t i = 0; i < 10; ++i) t['0' + i] = static_cast<std::int8_t>(i);
  for (std::size_t i = 0; i < 6; ++i) {
    t['A' + i] = static_cast<std::int8_t>(10 + i);
    t['a' + i] = static_cast<std::int8_t>(10 + i);
  }
  return t;
}();

int HexValue(char c) { return kHexValues[static_cast<unsigned char>(c)]; }

// The field of `width` characters at `at`, as far as the line reaches: no digits is 0,
// a character that is not a hex digit is no number at all.
std::optional<unsigned> HexField(std::string_view line, std::size_t at, std::size_t width) {
  unsigned value = 0;
  for (std::size_t i = at; i < at + width && i < line.size(); ++i) {
    const int d = HexValue(line[i]);
    if (d < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(d);
  }
  return value;
}

constexpr std::size_t kAddressColumn = 1;
constexpr std::size_t kAddressWidth = 4;
constexpr std::size_t kDataColumn = 6;

}  // namespace

std::string FormatProjectFile(const program::ProgramImage& image) {
  std::string out(kProjectFileBytes, '\0');
  char* p = out.data();
  for (std::size_t a = 0; a < program::kProgramImageSize; a += kProjectLineBytes) {
    *p++ = 'P';
    for (int shift = 12; shift >= 0; shift -= 4) *p++ = kHexDigits[(a >> shift) & 0xF];
    *p++ = ':';
    for (std::size_t i = 0; i < kProjectLineBytes; ++i) {
      const std::uint8_t b = image[a + i];
      *p++ = kHexDigits[b >> 4];
      *p++ = kHexDigits[b & 0xF];
    }
    *p++ = '\r';
    *p++ = '\n';
  }
  return out;
}

ProjectParse ParseProjectFile(std::string_view text, program::ProgramImage& image) {
  ProjectParse parse;
  ForEachLine(text, [&](std::string_view line) {
    // Without a single address digit there is nothing to say where the bytes belong;
    // reading it as address 0 would let a blank line wipe the description.
    const auto address = HexField(line, kAddressColumn, kAddressWidth);
    if (line.size() <= kAddressColumn || !address) {
      ++parse.skippedLines;
      return;
    }
    ++parse.lines;
    bool damaged = false;
    for (std::size_t i = 0; i < kProjectLineBytes; ++i) {
      const auto value = HexField(line, kDataColumn + 2 * i, 2);
      if (!value) {
        ++parse.badFields;
        damaged = true;
        continue;
      }
      const std::size_t at = *address + i;
      if (at >= program::kProgramImageSize) {
        ++parse.bytesPastEnd;
        continue;
      }
      image[at] = static_cast<std::uint8_t>(*value);
    }
    if (damaged) ++parse.damagedLines;
  });
  return parse;
}

}  // namespace persist
