#pragma once
// The few file calls that differ between POSIX and Windows: opening a file by a path
// that may hold any Unicode name (Windows' narrow calls only take the code page),
// creating a file only where its name is free, and cutting an open file short. ResetFileAttributes
// (file_access.h) has its two variants beside them.

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace persist {

// fopen by path; on failure nullptr with errno set.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// A new file for binary writing, or nullptr with errno EEXIST when the name is taken.
std::FILE* CreateNewFile(const std::filesystem::path& path);

// Cuts the open file to size bytes (a file rewritten in place may have been longer);
// 0 or the error number.
int TruncateFile(std::FILE* file, std::uint64_t size);

}  // namespace persist
