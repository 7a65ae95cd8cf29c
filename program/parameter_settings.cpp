#include "program/parameter_settings.h"

#include "program/memory_map.h"

namespace program {

namespace {
constexpr std::size_t kRulesWord = 1;
constexpr std::size_t kFirstLimitWord = 2;
constexpr std::size_t kDefinitionsWord = 8;
constexpr std::size_t kFlashPeriodWord = 9;
constexpr std::size_t kFirstFilamentWord = 10;
}  // namespace

ParameterSettings ShowParameterSettings(EditorModel& model) {
  ParameterSettings s;
  auto& w = model.ParamWords;

  s.cards = kCardCountRange.Clamp(w[0]);
  w[0] = s.cards;
  s.flashPeriod = kFlashPeriodRange.Clamp(w[kFlashPeriodWord]);
  for (int i = 0; i < kRuleSwitches; ++i) s.rules[static_cast<std::size_t>(i)] = (w[kRulesWord] >> i) & 1;
  for (int i = 0; i < kDefinitionSwitches; ++i) {
    s.definitions[static_cast<std::size_t>(i)] = (w[kDefinitionsWord] >> i) & 1;
  }
  for (std::size_t i = 0; i < kLimitRanges.size(); ++i) {
    s.limits[i] = kLimitRanges[i].Clamp(w[kFirstLimitWord + i]);
    w[kFirstLimitWord + i] = s.limits[i];
  }
  // Group 2k + 1 in the high byte of PR(10 + k), group 2k + 2 in the low byte.
  for (std::size_t k = 0; k < kFilamentGroups / 2; ++k) {
    const std::int32_t word = w[kFirstFilamentWord + k];
    s.filamentGroups[2 * k] = ((word >> 8) & 0xFF) != 0;
    s.filamentGroups[2 * k + 1] = (word & 0xFF) != 0;
  }
  return s;
}

void StoreParameterSettings(const ParameterSettings& s, EditorModel& model) {
  auto& w = model.ParamWords;
  for (std::size_t n = 0; n < kParamWordCount; ++n) w[n] = 0;

  w[0] = kCardCountRange.Clamp(s.cards);
  std::int32_t rules = 0;
  for (int i = 0; i < kRuleSwitches; ++i) {
    if (s.rules[static_cast<std::size_t>(i)]) rules |= 1 << i;
  }
  w[kRulesWord] = rules;
  for (std::size_t i = 0; i < kLimitRanges.size(); ++i) {
    w[kFirstLimitWord + i] = kLimitRanges[i].Clamp(s.limits[i]);
  }
  w[kDefinitionsWord] = 2 * s.definitions[1] + s.definitions[0];
  w[kFlashPeriodWord] = kFlashPeriodRange.Clamp(s.flashPeriod);
  for (std::size_t k = 0; k < kFilamentGroups / 2; ++k) {
    w[kFirstFilamentWord + k] = 256 * s.filamentGroups[2 * k] + s.filamentGroups[2 * k + 1];
  }
}

}  // namespace program
