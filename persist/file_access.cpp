#include "persist/file_access.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

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

// Writes, flushes and forces the bytes to the device; 0 or the error. Without the
// last step a power cut soon after a save can leave an empty file on a USB stick.
int WriteAndSync(std::FILE* f, std::string_view bytes) {
  errno = 0;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
    return errno != 0 ? errno : EIO;
  }
  if (std::fflush(f) != 0) return errno != 0 ? errno : EIO;
#if defined(_WIN32)
  if (_commit(_fileno(f)) != 0) return errno != 0 ? errno : EIO;
#else
  if (fsync(fileno(f)) != 0) return errno != 0 ? errno : EIO;
#endif
  return 0;
}

// The rename is durable only once the folder's entry is on the device too. Some file
// systems refuse to sync a folder; the file itself is already safe then.
void SyncFolder([[maybe_unused]] const fs::path& file) {
#if !defined(_WIN32)
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
#endif
}

bool IsTemporaryOf(const std::string& name, const std::string& target) {
  // "." + target + "." + eight hex digits + ".tmp", as CreateTemporaryBeside names them.
  const std::string head = "." + target + ".";
  if (name.size() != head.size() + 8 + 4 || !name.starts_with(head) || !name.ends_with(".tmp")) return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(head.size()), name.end() - 4,
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// A save killed between creating its temporary file and the rename leaves that file
// behind; the next save of the same file clears them away.
void RemoveLeftoverTemporaries(const fs::path& target) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string name = target.filename().string();
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code removeError;
    if (IsTemporaryOf(it->path().filename().string(), name)) fs::remove(it->path(), removeError);
  }
}

// Overwrites the file itself (or makes it); what was there is lost if the write fails
// half-way, so this is only the way out when no temporary file can be made beside it.
IoResult WriteInPlace(const fs::path& requested, const fs::path& target, std::string_view bytes) {
  const bool existed = FileExists(target);
  if (existed) ResetFileAttributes(target);
  errno = 0;
  FilePtr f(existed ? OpenFile(target, "r+b") : CreateNewFile(target));
  if (!f) return IoResult::Fail(Describe(requested, ErrnoText(errno != 0 ? errno : EIO)));
  int err = WriteAndSync(f.get(), bytes);
  if (err == 0) err = TruncateFile(f.get(), bytes.size());
#if !defined(_WIN32)
  if (err == 0 && fsync(fileno(f.get())) != 0) err = errno;
#endif
  const bool closed = std::fclose(f.release()) == 0;
  if (err == 0 && !closed) err = errno != 0 ? errno : EIO;
  if (err != 0) return IoResult::Fail(Describe(requested, ErrnoText(err)));
  RemoveLeftoverTemporaries(target);
  return IoResult::Ok("yanına geçici dosya oluşturulamadığı için doğrudan dosyaya yazıldı");
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
  if (!f) {
    // A folder that takes no new file (a shared folder) may still hold a file that
    // can be written, and a name too long for a temporary beside it may still be made.
    if (FileExists(target) || err == ENAMETOOLONG) return WriteInPlace(requested, target, bytes);
    return IoResult::Fail(Describe(requested, ErrnoText(err)));
  }

  err = WriteAndSync(f.get(), bytes);
  const bool closed = std::fclose(f.release()) == 0;
  if (err == 0 && !closed) err = errno != 0 ? errno : EIO;
  if (err != 0) {
    fs::remove(tempPath, ec);
    return IoResult::Fail(Describe(requested, ErrnoText(err)));
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
  SyncFolder(target);
  RemoveLeftoverTemporaries(target);
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
