#include "program/utf8_text.h"

namespace program {

char32_t NextUtf8CodePoint(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t len = 0;
  char32_t c = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    ++i;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    len = 2, c = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    len = 3, c = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    len = 4, c = lead & 0x07, min = 0x10000;
  } else {
    ++i;
    return kBrokenUtf8;
  }
  if (i + len > text.size()) {
    ++i;
    return kBrokenUtf8;
  }
  for (std::size_t k = 1; k < len; ++k) {
    const auto cont = static_cast<unsigned char>(text[i + k]);
    if ((cont & 0xC0) != 0x80) {
      ++i;
      return kBrokenUtf8;
    }
    c = (c << 6) | (cont & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++i;
    return kBrokenUtf8;
  }
  i += len;
  return c;
}

}  // namespace program
