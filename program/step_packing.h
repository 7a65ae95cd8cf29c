#pragma once
// Conversion between the packed step table (PgmSteps: two 4-bit signal-state codes a
// byte, as the controller stores them) and the editor's one-column-per-group table
// (PgmGroups). Both cover records 0-32 and steps 0-99; step 100 is never converted,
// so whatever was loaded there goes back to the image untouched.

#include "program/editor_model.h"

namespace program {

// PgmGroups from PgmSteps: column 0 the duration, columns 1-32 the group codes.
void ExpandSteps(EditorModel& model);

// PgmSteps from PgmGroups. A group code is a nibble: only its low four bits are
// stored, so a stray larger value cannot spill into the neighbouring group.
void CompactSteps(EditorModel& model);

}  // namespace program
