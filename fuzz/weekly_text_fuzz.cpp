// Any text as a weekly cell, the way the entry widget reads it (what must hold:
// fuzz/README.md).

#include "fuzz/fuzz_support.h"
#include "program/editor_model.h"
#include "program/week_entry.h"
#include "program/week_entry_text.h"
#include "program/week_program_codes.h"

namespace {

using program::WeekEntry;

constexpr std::size_t kDay = 3;
constexpr std::size_t kEntry = 5;
constexpr std::size_t kSlot = kEntry * program::kWeekEntryBytes;

// The code a formatted entry reads back as.
std::optional<std::uint8_t> ShownCode(std::optional<std::uint8_t> code) {
  if (!code) return std::nullopt;
  if (*code > program::kWeekFlash) return program::kWeekNoProgram;
  if (*code > program::kWeekDetector && *code < program::kWeekFlash) return std::nullopt;
  return code;
}

// A model whose weekly table is a known pattern, made once.
program::EditorModel& Model() {
  static const std::unique_ptr<program::EditorModel> model = [] {
    auto m = std::make_unique<program::EditorModel>();
    std::uint8_t v = 1;
    for (auto& day : m->WeekTable) {
      for (auto& b : day) b = v++;
    }
    return m;
  }();
  return *model;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const program::WeekCellParts parts = program::ParseWeekCellText(text);
  const WeekEntry entry{parts.hour.value_or(0), parts.minute.value_or(0), parts.code};

  const std::string shown = program::WeekCellText(entry);
  KX_FUZZ_CHECK(shown.size() >= 8 && shown.size() <= 12);
  const program::WeekCellParts again = program::ParseWeekCellText(shown);
  KX_FUZZ_CHECK(again.hour == entry.hour);
  KX_FUZZ_CHECK(again.minute == entry.minute);
  KX_FUZZ_CHECK(again.code == ShownCode(entry.code));
  const WeekEntry reread{*again.hour, *again.minute, again.code};
  KX_FUZZ_CHECK(program::WeekCellText(reread) == shown);

  program::EditorModel& model = Model();
  const auto before = model.WeekTable;
  program::StoreWeekEntry(model, static_cast<int>(kDay), static_cast<int>(kEntry), entry);
  const WeekEntry stored = program::ReadWeekEntry(model, static_cast<int>(kDay), static_cast<int>(kEntry));
  KX_FUZZ_CHECK(stored.hour == entry.hour && stored.minute == entry.minute);
  if (entry.code) KX_FUZZ_CHECK(program::WeekCellText(stored) == program::WeekCellText(entry));
  if (!entry.code) KX_FUZZ_CHECK(stored.code == before[kDay][kSlot + 2]);
  for (std::size_t d = 0; d < before.size(); ++d) {
    for (std::size_t i = 0; i < before[d].size(); ++i) {
      const bool own = d == kDay && i >= kSlot && i < kSlot + 3;
      if (!own) KX_FUZZ_CHECK(model.WeekTable[d][i] == before[d][i]);
    }
  }
  model.WeekTable = before;
  return 0;
}
