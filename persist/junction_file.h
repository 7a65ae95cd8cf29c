#pragma once
// Loading and saving the junction data of a project, kept in the file named by the
// project's path plus ".kavsak" ("kavsak1.prj.kavsak"). Neither throws; both return
// what the status line should say.

#include <cstddef>
#include <string>
#include <string_view>

#include "persist/io_result.h"
#include "program/junction_data.h"

namespace persist {

inline constexpr std::string_view kJunctionFileExtension = ".kavsak";
// A full file is a few kilobytes; anything far larger is not one.
inline constexpr std::size_t kMaxJunctionFileBytes = 256u << 10;

// ProjectPath + ".kavsak"; empty for an empty ProjectPath.
std::string JunctionPathFor(std::string_view ProjectPath);

// A project without a junction file (or no project at all) works without names and
// conflicts: `data` becomes the defaults, and the result is ok with an empty message.
// A file that cannot be read or holds a bad line fails with the path, the line
// number and the reason, and leaves `data` as it was; the caller should not save
// over such a file unasked, since that would throw the user's file away.
IoResult JunctionLoad(std::string_view ProjectPath, program::JunctionData& data);

// Replaces the junction file atomically; an empty ProjectPath writes nothing.
IoResult JunctionSave(std::string_view ProjectPath, const program::JunctionData& data);

}  // namespace persist
