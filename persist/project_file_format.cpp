#include "persist/project_file_format.h"

#include <cstdint>
#include <optional>

#include "persist/text_lines.h"

namespace persist {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

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
  for (const std::string_view line : SplitLines(text)) {
    // Without a single address digit there is nothing to say where the bytes belong;
    // reading it as address 0 would let a blank line wipe the description.
    const auto address = HexField(line, kAddressColumn, kAddressWidth);
    if (line.size() <= kAddressColumn || !address) {
      ++parse.skippedLines;
      continue;
    }
    ++parse.lines;
    for (std::size_t i = 0; i < kProjectLineBytes; ++i) {
      const auto value = HexField(line, kDataColumn + 2 * i, 2);
      if (!value) {
        ++parse.badFields;
        continue;
      }
      const std::size_t at = *address + i;
      if (at >= program::kProgramImageSize) {
        ++parse.bytesPastEnd;
        continue;
      }
      image[at] = static_cast<std::uint8_t>(*value);
    }
  }
  return parse;
}

}  // namespace persist
