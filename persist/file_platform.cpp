#include "persist/file_platform.h"

#include "persist/file_access.h"

#include <cerrno>
#include <system_error>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cwchar>
#include <string>
#else
#include <unistd.h>
#endif

namespace persist {

#if defined(_WIN32)

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
  std::wstring wideMode;
  for (const char* m = mode; *m != '\0'; ++m) wideMode += static_cast<wchar_t>(*m);
  return _wfopen(path.c_str(), wideMode.c_str());
}

std::FILE* CreateNewFile(const std::filesystem::path& path) {
  const int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* f = _fdopen(fd, "wb");
  if (!f) _close(fd);
  return f;
}

void ResetFileAttributes(const std::filesystem::path& path) {
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
}

int TruncateFile(std::FILE* file, std::uint64_t size) {
  return _chsize_s(_fileno(file), static_cast<long long>(size));
}

#else

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

// "x" fails when the name is taken, so a temporary name never clobbers anything.
std::FILE* CreateNewFile(const std::filesystem::path& path) { return std::fopen(path.c_str(), "wbx"); }

int TruncateFile(std::FILE* file, std::uint64_t size) {
  return ftruncate(fileno(file), static_cast<off_t>(size)) == 0 ? 0 : errno;
}

void ResetFileAttributes(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add, ec);
}

#endif

}  // namespace persist
