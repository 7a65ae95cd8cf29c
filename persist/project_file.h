#pragma once
// Loading and saving the project named by ProjectPath. Both return what the status
// line should say; neither throws, and a failure changes neither the image nor the
// file on disk.

#include <string_view>

#include "persist/io_result.h"
#include "program/editor_model.h"
#include "program/program_image.h"

namespace persist {

// Reads the file into a scratch image; only when that worked does it replace the
// image and refill the editor model from it (unpack, then expand). A missing,
// unreadable or oversize file, one in which no line holds an address, and one whose
// lines are mostly not project lines leave everything as it was. Lines the reader had
// to skip are counted in the message of a successful load.
IoResult ProjectLoad(std::string_view ProjectPath, program::ProgramImage& image, program::EditorModel& model);

// Writes the image as it is, also to a file that does not exist yet, so saving under
// a new name keeps the user's work. The file is replaced atomically and is on the
// device when this returns; in a folder that takes no new file it is written in place,
// and the message says so. An empty ProjectPath writes nothing.
IoResult ProjectSave(std::string_view ProjectPath, const program::ProgramImage& image);

}  // namespace persist
