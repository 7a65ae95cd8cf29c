// Any text as a weekly cell, the way the entry widget reads it (what must hold:
// fuzz/README.md).

#include "fuzz/fuzz_support.h"
#include "program/editor_model.h"
#include "program/week_entry.h"
#include "program/week_entry_text.h"
#include "program/week_program_codes.h"

namespace {

using program::WeekEntry;

constexpr int kDay = 3;
constexpr int kEntry = 5;
constexpr auto kSlot = static_cast<std::ptrdiff_t>(kEntry * program::kWeekEntryBytes);

// The code a formatted entry reads back as.
std::optional<std::uint8_t> ShownCode(std::optional<std::uint8_t> code) {
  if (!code) return std::nullopt;
  if (*code > program::kWeekFlash) return program::kWeekNoProgram;
  if (*code > program::kWeekDetector && *code < program::kWeekFlash) return std::nullopt;
  return code;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const program::WeekCellParts parts =
      program::ParseWeekCellText(std::string_view(reinterpret_cast<const char*>(data), size));
  const WeekEntry entry{parts.hour.value_or(0), parts.minute.value_or(0), parts.code};

  const std::string shown = program::WeekCellText(entry);
  const program::WeekCellParts again = program::ParseWeekCellText(shown);
  KX_FUZZ_CHECK(again.hour == entry.hour && again.minute == entry.minute &&
                again.code == ShownCode(entry.code));
  KX_FUZZ_CHECK(program::WeekCellText({*again.hour, *again.minute, again.code}) == shown);

  // A weekly table of a known pattern, made once and put back after every input.
  static const auto model = [] {
    auto m = std::make_unique<program::EditorModel>();
    std::uint8_t v = 1;
    for (auto& day : m->WeekTable) {
      for (auto& b : day) b = v++;
    }
    return m;
  }();
  const auto before = model->WeekTable;
  program::StoreWeekEntry(*model, kDay, kEntry, entry);
  const WeekEntry stored = program::ReadWeekEntry(*model, kDay, kEntry);
  KX_FUZZ_CHECK(stored.hour == entry.hour && stored.minute == entry.minute);
  KX_FUZZ_CHECK(!entry.code || program::WeekCellText(stored) == shown);
  // Nothing changed but the first three bytes of the entry's own slot.
  auto expected = before;
  std::copy_n(model->WeekTable[kDay].begin() + kSlot, 3, expected[kDay].begin() + kSlot);
  KX_FUZZ_CHECK(model->WeekTable == expected);
  model->WeekTable = before;
  return 0;
}
