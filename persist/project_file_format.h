#pragma once
// The text form of a ProgramImage in a project file: 4096 lines "P" + four hex digits
// of the address + ":" + sixteen bytes as two hex digits each, ascending, CR LF after
// every line. The writer uses upper-case digits; the reader takes what other tools and
// hand edits produce.

#include <cstddef>
#include <string>
#include <string_view>

#include "program/program_image.h"

namespace persist {

inline constexpr std::size_t kProjectLineBytes = 16;
inline constexpr std::size_t kProjectLineCount = program::kProgramImageSize / kProjectLineBytes;
inline constexpr std::size_t kProjectLineChars = 6 + 2 * kProjectLineBytes;  // before CR LF
inline constexpr std::size_t kProjectFileBytes = kProjectLineCount * (kProjectLineChars + 2);

// The whole file, 163,840 bytes.
std::string FormatProjectFile(const program::ProgramImage& image);

// What the reader made of a file's lines.
struct ProjectParse {
  std::size_t lines = 0;         // lines that set bytes
  std::size_t skippedLines = 0;  // lines with no address or a non-hex character in it
  std::size_t badFields = 0;     // data fields with a non-hex character, left unwritten
  std::size_t bytesPastEnd = 0;  // bytes a line would put beyond 0xFFFF, dropped
  std::size_t damagedLines = 0;  // lines counted in `lines` with at least one bad field

  // Lines that read whole as project lines.
  std::size_t ProjectLines() const { return lines - damagedLines; }
  // Most lines are something else: a renamed document or picture, not a damaged
  // project, and loading it would only leave a nearly empty image.
  bool NotAProject() const { return ProjectLines() * 2 <= lines + skippedLines; }
};

// Writes the bytes every line names into the image, in file order, so a later line
// with the same address wins; bytes no line names are left as they are. Columns 1 and
// 6 are not looked at and digits may be of either case. A field cut short by the end
// of the line is read from the digits it has, and one with no digits is 0, so a line
// that ends early zeroes the rest of its bytes. Lines end at CR LF, CR or LF.
ProjectParse ParseProjectFile(std::string_view text, program::ProgramImage& image);

}  // namespace persist
