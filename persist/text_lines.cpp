#include "persist/text_lines.h"

namespace persist {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  ForEachLine(text, [&lines](std::string_view line) { lines.push_back(line); });
  return lines;
}

std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16 + 2);
  ForEachLine(text, [&out](std::string_view line) {
    out.append(line);
    out.append("\r\n");
  });
  return out;
}

}  // namespace persist
