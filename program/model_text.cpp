#include "program/model_text.h"

#include <algorithm>
#include <span>

namespace program {

std::string ProgramNameText(const EditorModel& model, std::size_t record) {
  if (record >= model.PgmNames.size()) return {};
  return Cp1254ToUtf8(std::span<const std::uint8_t>(model.PgmNames[record]).subspan(1));
}

Cp1254Text StoreProgramName(EditorModel& model, std::size_t record, std::string_view utf8) {
  Cp1254Text text = Utf8ToCp1254(utf8, kProgramNameChars);
  if (record >= model.PgmNames.size()) return text;
  auto& name = model.PgmNames[record];
  std::fill(name.begin() + 1, name.end(), 0);
  std::copy(text.bytes.begin(), text.bytes.end(), name.begin() + 1);
  return text;
}

std::string DescriptionText(const EditorModel& model) { return Cp1254ToUtf8(model.ProjectText); }

Cp1254Text StoreDescription(EditorModel& model, std::string_view utf8) {
  Cp1254Text text = Utf8ToCp1254(utf8, kDescriptionChars);
  model.ProjectText.fill(0);
  std::copy(text.bytes.begin(), text.bytes.end(), model.ProjectText.begin() + 1);
  return text;
}

}  // namespace program
