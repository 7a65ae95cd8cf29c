#pragma once
// Which bytes of the ProgramImage carry the engineer's work, for telling whether the
// image holds something its project file lacks.

#include "program/program_image.h"

namespace program {

// True when the images differ anywhere but in the checksum a download writes and the
// event log a log read brings in: those come from the controller and are no one's work.
bool WorkDiffers(const ProgramImage& a, const ProgramImage& b);

}  // namespace program
