#pragma once
// Moves data between the ProgramImage and the editor model. Only the areas that the
// memory map gives a meaning to are read or written; every other byte of the image
// is carried through unchanged.

#include "program/editor_model.h"
#include "program/program_image.h"

namespace program {

// All 65,536 bytes to 0.
void ClearProgramImage(ProgramImage& image);

// Fills ProjectText, ParamWords, WeekTable, PgmNames, PgmSettings and PgmSteps from
// the image. The model is cleared first, so nothing of a previously loaded project
// survives in elements that the image does not hold (the 128th description
// character, flash-record settings, records 19-32). Parameter words are unsigned,
// 0 to 65535, whatever their high byte.
void UnpackProgramImage(const ProgramImage& image, EditorModel& model);

// Writes ProjectText, ParamWords, PgmNames, PgmSteps, PgmSettings and WeekTable into
// the image, the weekly table last so that it prevails over record 18. A parameter
// word outside 0 to 65535 is stored clamped into that range.
void PackProgramImage(const EditorModel& model, ProgramImage& image);

}  // namespace program
