// Arbitrary file contents as the junction data beside a project. A refused file
// leaves the data as it was and names a line of the file; a taken one holds only
// what the data's own setters allow, writes out in the one layout and reads back the
// same; loading from disk agrees with the text reader, and a save reads back.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "persist/junction_file.h"
#include "persist/junction_file_format.h"
#include "program/junction_data.h"

namespace {

using program::JunctionData;

const kxfuzz::ScratchFolder& Scratch() {
  static const kxfuzz::ScratchFolder folder;
  return folder;
}

// Data that already holds something, so that a refused file visibly changes nothing.
JunctionData Previous() {
  JunctionData d;
  program::SetGroupName(d, 2, "Önceki");
  program::SetConflict(d, 2, 5, 7, 3);
  d.pedestrian[4] = true;
  d.limits.minGreen = 9;
  return d;
}

std::size_t LineCount(std::string_view text) {
  std::size_t lines = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool loneCr = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
    if (text[i] == '\n' || loneCr) ++lines;
  }
  const bool open = !text.empty() && text.back() != '\n' && text.back() != '\r';
  return lines + (open ? 1 : 0);
}

void CheckHealthy(const JunctionData& d) {
  for (int g = 1; g <= program::kJunctionGroups; ++g) {
    const std::string_view name = program::GroupName(d, g);
    KX_FUZZ_CHECK(program::GroupNameProblem(name).empty());
    KX_FUZZ_CHECK(name.empty() || (name.front() != ' ' && name.back() != ' '));
    for (int h = 1; h <= program::kJunctionGroups; ++h) {
      const auto a = static_cast<std::size_t>(g - 1), b = static_cast<std::size_t>(h - 1);
      const int there = d.intergreen[a][b];
      const int back = d.intergreen[b][a];
      KX_FUZZ_CHECK((there == program::kNoConflict) == (back == program::kNoConflict));
      KX_FUZZ_CHECK(there >= program::kNoConflict && there <= 255);
      KX_FUZZ_CHECK(g != h || there == program::kNoConflict);
    }
  }
  for (int limit : {d.limits.minYellow, d.limits.minRedYellow, d.limits.minGreen}) {
    KX_FUZZ_CHECK(limit >= 0 && limit <= 255);
  }
}

void CheckLayout(std::string_view file) {
  KX_FUZZ_CHECK(file.starts_with("KX7140 kavsak 1\r\n"));
  KX_FUZZ_CHECK(file.ends_with("\r\n"));
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '\r') KX_FUZZ_CHECK(i + 1 < file.size() && file[i + 1] == '\n');
    if (file[i] == '\n') KX_FUZZ_CHECK(i > 0 && file[i - 1] == '\r');
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  JunctionData parsed = Previous();
  const persist::JunctionParse parse = persist::ParseJunctionFile(text, parsed);
  if (!parse.ok) {
    KX_FUZZ_CHECK(parsed == Previous());
    KX_FUZZ_CHECK(parse.line >= 1 && parse.line <= std::max<std::size_t>(1, LineCount(text)));
    KX_FUZZ_CHECK(parse.message.starts_with("satır " + std::to_string(parse.line) + ": "));
  } else {
    KX_FUZZ_CHECK(parse.line == 0 && parse.message.empty());
    CheckHealthy(parsed);
    const std::string formatted = persist::FormatJunctionFile(parsed);
    CheckLayout(formatted);
    JunctionData again = Previous();
    const persist::JunctionParse reparse = persist::ParseJunctionFile(formatted, again);
    KX_FUZZ_CHECK(reparse.ok && reparse.ignoredLines == 0);
    KX_FUZZ_CHECK(again == parsed);
    KX_FUZZ_CHECK(persist::FormatJunctionFile(again) == formatted);
  }

  // The same text as the file beside a project.
  const std::string project = Scratch().Path("kavsak.prj").string();
  Scratch().Fresh("kavsak.prj.kavsak", text);
  JunctionData loaded = Previous();
  const persist::IoResult load = persist::JunctionLoad(project, loaded);
  const bool fits = text.size() <= persist::kMaxJunctionFileBytes;
  KX_FUZZ_CHECK(load.ok == (parse.ok && fits));
  if (!load.ok) {
    KX_FUZZ_CHECK(!load.message.empty());
    KX_FUZZ_CHECK(loaded == Previous());
    return 0;
  }
  KX_FUZZ_CHECK(loaded == parsed);

  KX_FUZZ_CHECK(persist::JunctionSave(project, loaded).ok);
  KX_FUZZ_CHECK(kxfuzz::ReadFile(Scratch().Path("kavsak.prj.kavsak")) == persist::FormatJunctionFile(loaded));
  JunctionData reloaded;
  KX_FUZZ_CHECK(persist::JunctionLoad(project, reloaded).ok);
  KX_FUZZ_CHECK(reloaded == loaded);
  return 0;
}
