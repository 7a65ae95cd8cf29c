#pragma once
// Walking UTF-8 text one character at a time, for the converters and readers that
// must take broken text without stopping at the first bad byte.

#include <cstddef>
#include <string_view>

namespace program {

inline constexpr char32_t kBrokenUtf8 = 0xFFFFFFFF;

// Decodes the character that starts at text[i] and moves i past it. A broken or
// overlong sequence, a surrogate or a value above U+10FFFF gives kBrokenUtf8 and
// moves i on by one byte, so the rest of the text still decodes. i must be below
// text.size().
char32_t NextUtf8CodePoint(std::string_view text, std::size_t& i);

}  // namespace program
