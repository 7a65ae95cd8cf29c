#pragma once
// The settings file's own INI dialect: no trimming, no comments, names matched
// without regard to ASCII letter case, a section ending at any line that holds a "[",
// and a rewrite of the whole file on every write. The layout IniWrite produces (new
// keys at the top of their section, one empty line before an appended section, CR LF
// line ends, one CR LF at the end) is part of the settings file's format.

#include <filesystem>
#include <string>
#include <string_view>

#include "persist/file_access.h"
#include "persist/io_result.h"

namespace persist {

// The value of the first matching key, or the empty text when the section or the key
// is missing or the file cannot be read (then *status, if given, says why). A missing
// file is created empty, so that the program's first start leaves its settings file
// where the next start looks for it.
std::string IniRead(const std::filesystem::path& path, std::string_view section, std::string_view key,
                    IoResult* status = nullptr);

// Sets the key to the value, adding the key and, if needed, the section, and replaces
// the file atomically. Lines of the old file that end with a lone LF or CR are
// rewritten with CR LF. A section, key or value holding CR or LF is refused, because
// it would write lines of its own into the file; so is a key holding "[", which would
// end its own section.
IoResult IniWrite(const std::filesystem::path& path, std::string_view section, std::string_view key,
                  std::string_view value);

}  // namespace persist
