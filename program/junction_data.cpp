#include "program/junction_data.h"

#include "program/utf8_text.h"

namespace program {

namespace {

bool ValidGroup(int g) { return g >= 1 && g <= kJunctionGroups; }
bool ValidSeconds(int s) { return s >= 0 && s <= kMaxJunctionSeconds; }
std::size_t Index(int g) { return static_cast<std::size_t>(g - 1); }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

bool Conflicting(const JunctionData& data, int a, int b) {
  if (!ValidGroup(a) || !ValidGroup(b) || a == b) return false;
  return data.intergreen[Index(a)][Index(b)] != kNoConflict ||
         data.intergreen[Index(b)][Index(a)] != kNoConflict;
}

int MinIntergreen(const JunctionData& data, int from, int to) {
  if (!Conflicting(data, from, to)) return kNoConflict;
  const int seconds = data.intergreen[Index(from)][Index(to)];
  return seconds < 0 ? 0 : seconds > kMaxJunctionSeconds ? kMaxJunctionSeconds : seconds;
}

bool SetConflict(JunctionData& data, int a, int b, int aToB, int bToA) {
  if (!ValidGroup(a) || !ValidGroup(b) || a == b || !ValidSeconds(aToB) || !ValidSeconds(bToA)) {
    return false;
  }
  data.intergreen[Index(a)][Index(b)] = static_cast<std::int16_t>(aToB);
  data.intergreen[Index(b)][Index(a)] = static_cast<std::int16_t>(bToA);
  return true;
}

void ClearConflict(JunctionData& data, int a, int b) {
  if (!ValidGroup(a) || !ValidGroup(b)) return;
  data.intergreen[Index(a)][Index(b)] = kNoConflict;
  data.intergreen[Index(b)][Index(a)] = kNoConflict;
}

std::string_view GroupNameProblem(std::string_view utf8) {
  const std::string_view name = TrimBlanks(utf8);
  std::size_t chars = 0;
  for (std::size_t i = 0; i < name.size();) {
    const char32_t c = NextUtf8CodePoint(name, i);
    if (c == kBrokenUtf8) return "geçersiz UTF-8";
    // A line end or tab would break the file's lines and fields; U+0085, U+2028 and
    // U+2029 are line ends to some editors.
    if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029) {
      return "kontrol karakteri içeriyor";
    }
    ++chars;
  }
  if (chars > kGroupNameMaxChars) return "32 harften uzun";
  return {};
}

bool SetGroupName(JunctionData& data, int group, std::string_view utf8) {
  if (!ValidGroup(group) || !GroupNameProblem(utf8).empty()) return false;
  data.groupNames[Index(group)] = std::string(TrimBlanks(utf8));
  return true;
}

std::string_view GroupName(const JunctionData& data, int group) {
  return ValidGroup(group) ? std::string_view(data.groupNames[Index(group)]) : std::string_view{};
}

}  // namespace program
