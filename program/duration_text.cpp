#include "program/duration_text.h"

namespace program {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::optional<std::uint8_t> ParseDurationText(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);

  std::size_t i = 0;
  int value = 0;
  while (i < text.size() && IsDigit(text[i])) {
    value = value * 10 + (text[i] - '0');
    if (value > 255) return std::nullopt;
    ++i;
  }
  if (i == 0) return std::nullopt;
  if (i < text.size()) {
    if (text[i] != '.' && text[i] != ',') return std::nullopt;
    for (++i; i < text.size(); ++i) {
      if (!IsDigit(text[i])) return std::nullopt;
    }
  }
  return static_cast<std::uint8_t>(value);
}

}  // namespace program
