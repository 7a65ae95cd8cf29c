#pragma once
// File paths as the UTF-8 text that the settings file and the windows hold, and back.

#include <filesystem>
#include <string>
#include <string_view>

namespace persist {

std::filesystem::path PathFromUtf8(std::string_view text);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace persist
