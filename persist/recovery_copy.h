#pragma once
// The recovery copy: a project file written beside the project, without asking, when
// the program is stopped by a signal or its unsaved work would otherwise be replaced,
// and announced at the next start.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "persist/io_result.h"
#include "program/program_image.h"

namespace persist {

inline constexpr std::string_view kRecoverySuffix = ".kurtarma";

std::string RecoveryPath(std::string_view projectPath);

// Writes beside the project, or beside the fallback project (the default one) when
// there is no project or its folder takes no file. The message names the copy.
IoResult WriteRecoveryCopy(std::string_view projectPath, std::string_view fallbackProject,
                           const program::ProgramImage& image);

// The first of the projects' recovery copies that exists.
std::optional<std::string> FindRecoveryCopy(std::initializer_list<std::string_view> projectPaths);

}  // namespace persist
