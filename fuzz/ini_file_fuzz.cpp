// Any settings file, optionally followed by the section, key and value of one write,
// each after a NUL (what must hold: fuzz/README.md).

#include <utility>

#include "fuzz/fuzz_support.h"
#include "persist/ini_file.h"

namespace {

bool SameName(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
  return std::ranges::equal(a, b, {}, lower, lower);
}

bool Control(char c) { return static_cast<unsigned char>(c) <= 13; }
bool HasLineEnd(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

struct Write {
  std::string file, section = "DEFAULT", key = "ProjectName", value = "C:\\KX7140\\adsiz.prj";
};

// The file, then the section, key and value after its last three NULs, if it has three.
Write Split(std::string_view input) {
  std::string_view parts[4] = {input};
  for (int i = 3; i > 0; --i) {
    const std::size_t cut = parts[0].rfind('\0');
    if (cut == std::string_view::npos) return {.file = std::string(input)};
    parts[i] = parts[0].substr(cut + 1);
    parts[0] = parts[0].substr(0, cut);
  }
  return {std::string(parts[0]), std::string(parts[1]), std::string(parts[2]), std::string(parts[3])};
}

// Section and key names the file itself offers: every header, every text before an
// "=". A handful is enough to see whether a write disturbs its neighbours.
std::vector<std::pair<std::string, std::string>> Neighbours(std::string_view file) {
  std::vector<std::pair<std::string, std::string>> found;
  std::string section;
  for (std::string_view line : kxfuzz::TextLines(file)) {
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
    } else if (const std::size_t eq = line.find('='); eq != std::string_view::npos && !section.empty()) {
      found.emplace_back(section, line.substr(0, eq));
    }
    if (found.size() == 6) break;
  }
  return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Write w = Split(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto path = kxfuzz::Scratch().Fresh("kx7140.ini", w.file);

  // Reading takes any file and changes nothing; a value never spans a line end.
  persist::IoResult status;
  KX_FUZZ_CHECK(!HasLineEnd(persist::IniRead(path, w.section, w.key, &status)) && status.ok);
  KX_FUZZ_CHECK(kxfuzz::ReadFile(path) == w.file);
  const auto neighbours = Neighbours(w.file);
  std::vector<std::string> values;
  for (const auto& [s, k] : neighbours) values.push_back(persist::IniRead(path, s, k));

  const persist::IoResult written = persist::IniWrite(path, w.section, w.key, w.value);
  const bool refused = HasLineEnd(w.section) || HasLineEnd(w.key) || HasLineEnd(w.value) ||
                       w.key.find('[') != std::string::npos;
  KX_FUZZ_CHECK(written.ok != refused);
  const std::string after = kxfuzz::ReadFile(path);
  if (refused) {
    KX_FUZZ_CHECK(!written.message.empty() && after == w.file);
    return 0;
  }
  // The writer's tidying removes characters of code 13 or less from both ends of the
  // file. Where the old file began with such a character, or where the written value
  // ends the file, that can change what a line says; and a "[" in a value ends its
  // section for the reader. Those cases follow from the format, not from a fault.
  const auto controlAt = [&](std::size_t i) { return i != std::string::npos && Control(w.file[i]); };
  const bool leadingControl = controlAt(w.file.find_first_not_of("\r\n"));
  const bool trailingControl = controlAt(w.file.find_last_not_of("\r\n"));
  if (!leadingControl && w.value.find('[') == std::string::npos &&
      (w.value.empty() || !Control(w.value.back()))) {
    KX_FUZZ_CHECK(persist::IniRead(path, w.section, w.key) == w.value);
  }
  if (leadingControl || trailingControl) return 0;
  for (std::size_t i = 0; i < neighbours.size(); ++i) {
    if (SameName(neighbours[i].first, w.section)) continue;
    KX_FUZZ_CHECK(persist::IniRead(path, neighbours[i].first, neighbours[i].second) == values[i]);
  }
  KX_FUZZ_CHECK(persist::IniWrite(path, w.section, w.key, w.value).ok && kxfuzz::ReadFile(path) == after);
  return 0;
}
