// Any file as the junction data beside a project (what must hold: fuzz/README.md).

#include "fuzz/fuzz_support.h"
#include "persist/junction_file.h"
#include "persist/junction_file_format.h"
#include "program/junction_data.h"

namespace {

using program::JunctionData;

// Data that already holds something, so that a refused file visibly changes nothing.
JunctionData Previous() {
  JunctionData d;
  program::SetGroupName(d, 2, "Önceki");
  program::SetConflict(d, 2, 5, 7, 3);
  d.pedestrian[4] = true;
  d.limits.minGreen = 9;
  return d;
}

// What the setters allow: names without a problem, conflicts in both directions and
// never with itself, seconds 0-255.
void CheckHealthy(const JunctionData& d) {
  constexpr auto kGroups = static_cast<std::size_t>(program::kJunctionGroups);
  constexpr int kNone = program::kNoConflict;
  for (std::size_t g = 0; g < kGroups; ++g) {
    const std::string_view name = program::GroupName(d, static_cast<int>(g) + 1);
    KX_FUZZ_CHECK(program::GroupNameProblem(name).empty() && !name.starts_with(' ') && !name.ends_with(' '));
    for (std::size_t h = 0; h < kGroups; ++h) {
      const int there = d.intergreen[g][h], back = d.intergreen[h][g];
      KX_FUZZ_CHECK((there == kNone) == (back == kNone) && there >= kNone && there <= 255 &&
                    (g != h || there == kNone));
    }
  }
  for (int limit : {d.limits.minYellow, d.limits.minRedYellow, d.limits.minGreen})
    KX_FUZZ_CHECK(limit >= 0 && limit <= 255);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  JunctionData parsed = Previous();
  const persist::JunctionParse parse = persist::ParseJunctionFile(text, parsed);
  if (!parse.ok) {
    KX_FUZZ_CHECK(parsed == Previous() && parse.line >= 1 &&
                  parse.line <= std::max<std::size_t>(1, kxfuzz::TextLines(text).size()));
  } else {
    KX_FUZZ_CHECK(parse.line == 0 && parse.message.empty());
    CheckHealthy(parsed);
    const std::string formatted = persist::FormatJunctionFile(parsed);
    JunctionData again = Previous();
    const persist::JunctionParse reparse = persist::ParseJunctionFile(formatted, again);
    KX_FUZZ_CHECK(reparse.ok && reparse.ignoredLines == 0 && again == parsed);
    KX_FUZZ_CHECK(persist::FormatJunctionFile(again) == formatted);
  }

  // The same text as the file beside a project.
  const std::string project = kxfuzz::Scratch().Path("kavsak.prj").string();
  kxfuzz::Scratch().Fresh("kavsak.prj.kavsak", text);
  JunctionData loaded = Previous();
  const persist::IoResult load = persist::JunctionLoad(project, loaded);
  KX_FUZZ_CHECK(load.ok == (parse.ok && text.size() <= persist::kMaxJunctionFileBytes));
  if (!load.ok) {
    KX_FUZZ_CHECK(!load.message.empty() && loaded == Previous());
    return 0;
  }
  KX_FUZZ_CHECK(loaded == parsed && persist::JunctionSave(project, loaded).ok);
  JunctionData reloaded;
  KX_FUZZ_CHECK(persist::JunctionLoad(project, reloaded).ok && reloaded == loaded);
  return 0;
}
