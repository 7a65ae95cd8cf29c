#include "persist/junction_file_format.h"

#include <memory>
#include <optional>
#include <vector>

#include "persist/text_lines.h"

namespace persist {

namespace {

using program::JunctionData;

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool Blank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && Blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && Blank(text.back())) text.remove_suffix(1);
  return text;
}

// Cuts the first blank-separated field off the front of `rest`.
std::string_view NextField(std::string_view& rest) {
  rest = TrimBlanks(rest);
  std::size_t end = 0;
  while (end < rest.size() && !Blank(rest[end])) ++end;
  const std::string_view field = rest.substr(0, end);
  rest.remove_prefix(end);
  rest = TrimBlanks(rest);
  return field;
}

// Decimal digits only; nothing when the value falls outside [min, max].
std::optional<int> Number(std::string_view field, int min, int max) {
  if (field.empty() || field.size() > 4) return std::nullopt;
  int value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < min || value > max) return std::nullopt;
  return value;
}

// One line's reader: fields taken one by one, the first fault kept as the reason.
class LineReader {
 public:
  explicit LineReader(std::string_view rest) : m_rest(rest) {}

  std::optional<int> Group() {
    return Take(1, program::kJunctionGroups, "grup numarası 1 ile 32 arasında olmalı");
  }
  std::optional<int> Seconds() {
    return Take(0, program::kMaxJunctionSeconds, "saniye 0 ile 255 arasında olmalı");
  }
  bool HasMore() const { return !m_rest.empty(); }
  std::string_view Rest() const { return m_rest; }

  bool End() {
    if (HasMore() && m_why.empty()) m_why = "fazla alan: " + std::string(m_rest);
    return m_why.empty();
  }
  void Fail(std::string why) {
    if (m_why.empty()) m_why = std::move(why);
  }
  const std::string& Why() const { return m_why; }

 private:
  std::optional<int> Take(int min, int max, const char* range) {
    if (!m_why.empty()) return std::nullopt;
    const std::string_view field = NextField(m_rest);
    if (field.empty()) {
      m_why = "eksik alan";
      return std::nullopt;
    }
    auto value = Number(field, min, max);
    if (!value) m_why = std::string(range) + ": " + std::string(field);
    return value;
  }

  std::string_view m_rest;
  std::string m_why;
};

bool ReadGroupName(LineReader& reader, JunctionData& data) {
  const auto g = reader.Group();
  if (!g) return false;
  const std::string_view problem = program::GroupNameProblem(reader.Rest());
  if (!problem.empty()) {
    reader.Fail("grup adı " + std::string(problem));
    return false;
  }
  return program::SetGroupName(data, *g, reader.Rest());
}

bool ReadConflict(LineReader& reader, JunctionData& data) {
  const auto a = reader.Group();
  const auto b = reader.Group();
  const auto aToB = reader.Seconds();
  const auto bToA = reader.HasMore() ? reader.Seconds() : aToB;
  if (!a || !b || !aToB || !bToA || !reader.End()) return false;
  if (*a == *b) {
    reader.Fail("bir grup kendisiyle çatışamaz");
    return false;
  }
  return program::SetConflict(data, *a, *b, *aToB, *bToA);
}

// Reads one fact into data; false with the reason in `reader` when the line is bad.
// Unknown keys are counted and skipped.
bool ReadFact(std::string_view key, LineReader& reader, JunctionData& data, std::size_t& ignored) {
  if (key == "grup") return ReadGroupName(reader, data);
  if (key == "yaya") {
    do {
      const auto g = reader.Group();
      if (!g) return false;
      data.pedestrian[static_cast<std::size_t>(*g - 1)] = true;
    } while (reader.HasMore());
    return true;
  }
  if (key == "catisma") return ReadConflict(reader, data);
  int* limit = key == "en-kisa-sari"           ? &data.limits.minYellow
               : key == "en-kisa-kirmizi-sari" ? &data.limits.minRedYellow
               : key == "en-kisa-yesil"        ? &data.limits.minGreen
                                               : nullptr;
  if (limit != nullptr) {
    const auto s = reader.Seconds();
    if (!s || !reader.End()) return false;
    *limit = *s;
    return true;
  }
  ++ignored;
  return true;
}

// "" when the first line is a header this version reads, else the reason.
std::string HeaderProblem(std::string_view line) {
  std::string_view rest = TrimBlanks(line);
  if (!rest.starts_with(kJunctionFileMagic)) return "kavşak dosyası değil";
  rest.remove_prefix(kJunctionFileMagic.size());
  if (!rest.empty() && !Blank(rest.front())) return "kavşak dosyası değil";
  const std::string_view field = NextField(rest);
  const auto version = Number(field, 1, 9999);
  if (!version || !rest.empty()) return "kavşak dosyası değil";
  if (*version != kJunctionFileVersion) {
    return "dosya sürümü " + std::to_string(*version) + ", okunabilen sürüm " +
           std::to_string(kJunctionFileVersion);
  }
  return {};
}

}  // namespace

JunctionParse ParseJunctionFile(std::string_view text, JunctionData& data) {
  if (text.starts_with(kBom)) text.remove_prefix(kBom.size());
  JunctionParse result;
  auto scratch = std::make_unique<JunctionData>();
  std::size_t number = 0;
  std::string why;
  ForEachLine(text, [&](std::string_view line) {
    ++number;
    if (!why.empty()) return;
    if (number == 1) {
      why = HeaderProblem(line);
      return;
    }
    std::string_view rest = TrimBlanks(line);
    if (rest.empty() || rest.front() == '#') return;
    const std::string_view key = NextField(rest);
    LineReader reader(rest);
    if (!ReadFact(key, reader, *scratch, result.ignoredLines)) why = reader.Why();
  });
  if (number == 0) why = "kavşak dosyası değil";
  if (!why.empty()) {
    result.line = number == 0 ? 1 : number;
    result.message = "satır " + std::to_string(result.line) + ": " + why;
    result.ignoredLines = 0;
    return result;
  }
  data = std::move(*scratch);
  result.ok = true;
  return result;
}

std::string FormatJunctionFile(const JunctionData& data) {
  std::string out = std::string(kJunctionFileMagic) + " " + std::to_string(kJunctionFileVersion) + "\r\n";
  out +=
      "# grup N AD | yaya N M ... | catisma A B S T: A yeşili bitince B yeşiline en az S sn, "
      "B'den A'ya en az T sn\r\n";
  for (int g = 1; g <= program::kJunctionGroups; ++g) {
    // A name stored around SetGroupName that it would refuse could break the lines.
    const std::string_view name = TrimBlanks(program::GroupName(data, g));
    if (name.empty() || !program::GroupNameProblem(name).empty()) continue;
    out += "grup " + std::to_string(g) + " " + std::string(name) + "\r\n";
  }
  std::string pedestrians;
  for (int g = 1; g <= program::kJunctionGroups; ++g) {
    if (data.pedestrian[static_cast<std::size_t>(g - 1)]) pedestrians += " " + std::to_string(g);
  }
  if (!pedestrians.empty()) out += "yaya" + pedestrians + "\r\n";
  for (int a = 1; a <= program::kJunctionGroups; ++a) {
    for (int b = a + 1; b <= program::kJunctionGroups; ++b) {
      if (!program::Conflicting(data, a, b)) continue;
      out += "catisma " + std::to_string(a) + " " + std::to_string(b) + " " +
             std::to_string(program::MinIntergreen(data, a, b)) + " " +
             std::to_string(program::MinIntergreen(data, b, a)) + "\r\n";
    }
  }
  out += "en-kisa-sari " + std::to_string(data.limits.minYellow) + "\r\n";
  out += "en-kisa-kirmizi-sari " + std::to_string(data.limits.minRedYellow) + "\r\n";
  out += "en-kisa-yesil " + std::to_string(data.limits.minGreen) + "\r\n";
  return out;
}

}  // namespace persist
