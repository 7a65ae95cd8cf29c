#pragma once
// The few file calls that differ between POSIX and Windows: opening a file by a path
// that may hold any Unicode name (Windows' narrow calls only take the code page),
// and creating a file only where its name is free. ResetFileAttributes
// (file_access.h) has its two variants beside them.

#include <cstdio>
#include <filesystem>

namespace persist {

// fopen by path; on failure nullptr with errno set.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// A new file for binary writing, or nullptr with errno EEXIST when the name is taken.
std::FILE* CreateNewFile(const std::filesystem::path& path);

}  // namespace persist
