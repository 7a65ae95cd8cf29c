#pragma once
// Line splitting shared by the INI and project readers. A line ends at CR LF, at a
// lone CR, or at a lone LF: files edited with other tools often have bare LF line
// ends, and reading those as one endless line would lose every setting in them.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace persist {

// Calls fn(line) for every line of the text, without its line end. A last line
// without a line end counts; a line end at the very end of the text does not start
// an empty line.
template <typename Fn>
void ForEachLine(std::string_view text, Fn&& fn) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    fn(text.substr(start, i - start));
    i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2u : 1u;
    start = i;
  }
  if (start < text.size()) fn(text.substr(start));
}

// The lines of the text, as ForEachLine sees them.
std::vector<std::string_view> SplitLines(std::string_view text);

// The same text with every line end written as CR LF. A text that does not end with
// a line end gets one, unless it is empty.
std::string WithCrLfLineEnds(std::string_view text);

}  // namespace persist
