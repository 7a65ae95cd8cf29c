#include "persist/file_access.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <system_error>

#include "persist/file_platform.h"
#include "persist/path_text.h"

namespace persist {

namespace fs = std::filesystem;

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string ErrnoText(int err) { return std::error_code(err, std::generic_category()).message(); }

std::string Describe(const fs::path& path, const std::string& why) {
  return PathToUtf8(path) + " (" + why + ")";
}

FilePtr CreateNew(const fs::path& path) { return FilePtr(CreateNewFile(path)); }

// A free temporary name beside the target, hidden from directory listings.
FilePtr CreateTemporaryBeside(const fs::path& target, fs::path& tempPath, int& err) {
  std::random_device rd;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(rd()));
    tempPath = folder / fs::path(".").concat(target.filename().native()).concat(suffix).concat(".tmp");
    errno = 0;
    if (FilePtr f = CreateNew(tempPath)) return f;
    err = errno;
    if (err != EEXIST) break;
  }
  return nullptr;
}

}  // namespace

bool FileExists(const fs::path& path) {
  if (path.empty()) return false;
  std::error_code ec;
  const bool regular = fs::is_regular_file(path, ec);
  return regular && !ec;
}

IoResult EnsureFileExists(const fs::path& path) {
  if (FileExists(path)) return IoResult::Ok();
  // Opening a pipe or a device would block or write to it; only a missing name is made.
  std::error_code ec;
  if (fs::exists(fs::symlink_status(path, ec)) && !ec) {
    return IoResult::Fail(Describe(path, "düz bir dosya değil"));
  }
  errno = 0;
  // Append mode creates a missing file and never truncates one that appeared meanwhile.
  FilePtr f(OpenFile(path, "ab"));
  if (!f) return IoResult::Fail(Describe(path, ErrnoText(errno)));
  return IoResult::Ok();
}

IoResult ReadWholeFile(const fs::path& path, std::string& bytes, std::size_t maxBytes) {
  bytes.clear();
  errno = 0;
  FilePtr f(OpenFile(path, "rb"));
  if (!f) return IoResult::Fail(Describe(path, ErrnoText(errno)));
  std::error_code sizeError;
  const auto size = fs::file_size(path, sizeError);
  if (!sizeError) bytes.reserve(std::min<std::uintmax_t>(size, maxBytes));
  char buffer[65536];
  for (;;) {
    const std::size_t n = std::fread(buffer, 1, sizeof buffer, f.get());
    if (bytes.size() + n > maxBytes) {
      bytes.clear();
      return IoResult::Fail(Describe(path, "dosya çok büyük"));
    }
    bytes.append(buffer, n);
    if (n < sizeof buffer) break;
  }
  if (std::ferror(f.get())) {
    const int err = errno;
    bytes.clear();
    return IoResult::Fail(Describe(path, ErrnoText(err)));
  }
  return IoResult::Ok();
}

IoResult WriteFileAtomic(const fs::path& requested, std::string_view bytes) {
  std::error_code ec;
  fs::path target = requested;
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }

  fs::path tempPath;
  int err = 0;
  FilePtr f = CreateTemporaryBeside(target, tempPath, err);
  if (!f) return IoResult::Fail(Describe(requested, ErrnoText(err)));

  errno = 0;
  bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
  written = written && std::fflush(f.get()) == 0;
  err = errno;
  written = (std::fclose(f.release()) == 0) && written;
  if (!written) {
    if (err == 0) err = errno;
    fs::remove(tempPath, ec);
    return IoResult::Fail(Describe(requested, ErrnoText(err != 0 ? err : EIO)));
  }

  // Keep the old file's permissions (made writable again), as a rewrite in place would.
  const fs::file_status old = fs::status(target, ec);
  if (!ec && fs::is_regular_file(old)) {
    fs::permissions(tempPath, old.permissions() | fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::replace, ec);
  }

  fs::rename(tempPath, target, ec);
  if (ec) {
    const std::string why = ec.message();
    fs::remove(tempPath, ec);
    return IoResult::Fail(Describe(requested, why));
  }
  return IoResult::Ok();
}

bool FolderWritable(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec) || ec) return false;
  fs::path probe;
  int err = 0;
  FilePtr f = CreateTemporaryBeside(folder / "probe", probe, err);
  if (!f) return false;
  f.reset();
  fs::remove(probe, ec);
  return true;
}

}  // namespace persist
