#pragma once
// Program names and the project description as UTF-8 text, read from and stored into
// the editor model's Windows-1254 bytes.

#include <cstddef>
#include <string>
#include <string_view>

#include "program/cp1254_text.h"
#include "program/editor_model.h"

namespace program {

inline constexpr std::size_t kProgramNameChars = 16;
inline constexpr std::size_t kDescriptionChars = 128;

// All 16 name characters of record X, zero bytes left out; the empty text for a record
// index outside the table. Showing fewer would cut the 16th character off at the next
// save, since the name box is stored back as shown.
std::string ProgramNameText(const EditorModel& model, std::size_t record);

// Replaces the whole name of record X with at most 16 characters of the text; the
// counts tell the caller what did not fit. An index outside the table stores nothing.
Cp1254Text StoreProgramName(EditorModel& model, std::size_t record, std::string_view utf8);

// The description: every non-zero byte of ProjectText(0..128) in order.
std::string DescriptionText(const EditorModel& model);

// Stores at most 128 characters as ProjectText(1..128) and clears element 0 and every
// element after the text, so that a shortened or cleared description keeps nothing of
// the old one. Character k lands at image address k, where the project file and the
// controller keep it.
Cp1254Text StoreDescription(EditorModel& model, std::string_view utf8);

}  // namespace program
