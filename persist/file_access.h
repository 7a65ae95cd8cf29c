#pragma once
// The plain-file operations under the INI, settings and project files: testing for a
// file, reading one whole, and replacing one atomically so that a failed write never
// leaves a half-written file behind.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "persist/io_result.h"

namespace persist {

// True when the path names a plain file (a symlink to one counts); false for a
// directory, a device, a missing path or any error while looking.
bool FileExists(const std::filesystem::path& path);

// Creates the file, empty, when it is missing; an existing file is not touched, and
// anything else of that name (a folder, a pipe, a dangling link) is refused.
IoResult EnsureFileExists(const std::filesystem::path& path);

// Resets the file to a plain archived file (on POSIX: writable for its owner again).
// Errors are ignored: the write that follows reports them.
void ResetFileAttributes(const std::filesystem::path& path);

// The whole file as bytes. A file larger than maxBytes is refused rather than read.
IoResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::size_t maxBytes);

// Writes the bytes to a new file in the target's folder and renames it over the
// target. On any failure the target is unchanged and the temporary file is removed.
// A symlink is followed, so the file it names is replaced, not the link.
IoResult WriteFileAtomic(const std::filesystem::path& target, std::string_view bytes);

// True when a file can be created in the folder.
bool FolderWritable(const std::filesystem::path& folder);

}  // namespace persist
