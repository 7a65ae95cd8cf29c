#include "program/step_rows_text.h"

#include <charconv>

#include "program/memory_map.h"

namespace program {

namespace {

constexpr std::size_t kRowFields = 1 + kSignalGroups;

std::optional<StepRow> ParseRow(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  StepRow row{};
  std::size_t field = 0;
  while (true) {
    const std::size_t tab = line.find('\t');
    const std::string_view text = line.substr(0, tab);
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    const unsigned limit = field == 0 ? 255 : 15;
    if (field >= kRowFields || text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        value > limit) {
      return std::nullopt;
    }
    row[field++] = static_cast<std::uint8_t>(value);
    if (tab == std::string_view::npos) break;
    line.remove_prefix(tab + 1);
  }
  if (field != kRowFields) return std::nullopt;
  return row;
}

}  // namespace

std::string StepRowsText(const std::vector<StepRow>& rows) {
  std::string text;
  for (const StepRow& row : rows) {
    for (std::size_t c = 0; c < kRowFields; ++c) {
      if (c > 0) text += '\t';
      text += std::to_string(row[c]);
    }
    text += "\r\n";
  }
  return text;
}

std::optional<std::vector<StepRow>> ParseStepRowsText(std::string_view text) {
  std::vector<StepRow> rows;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (rows.size() == kMaxStepRowsText) return std::nullopt;
    auto row = ParseRow(line);
    if (!row) return std::nullopt;
    rows.push_back(*row);
  }
  if (rows.empty()) return std::nullopt;
  return rows;
}

}  // namespace program
