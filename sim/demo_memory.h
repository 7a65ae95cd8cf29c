#pragma once
// A controller memory with a small two-phase junction in Program1, a flashing-
// yellow flash record and a few event-log records, for a controller that has not
// been given a memory of its own.

#include "program/program_image.h"

namespace sim {

program::ProgramImage DemoMemory();

}  // namespace sim
