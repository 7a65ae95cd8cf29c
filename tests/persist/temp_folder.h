#pragma once
// A fresh folder per test, removed with everything in it afterwards; whole-file helpers,
// and a folder or a disk that refuses new bytes.

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace persist::testing {

class TempFolder : public ::testing::Test {
 protected:
  // Windows has no file-size limit per process to play a full disk with.
#if defined(_WIN32)
  static constexpr bool kFullDiskPossible = false;
#else
  static constexpr bool kFullDiskPossible = true;
#endif

  // Made in the constructor, so that a derived fixture's members can name paths in it.
  TempFolder() { std::filesystem::create_directories(m_dir); }
  ~TempFolder() override {
    if (!m_locked.empty()) LockFolder(m_locked, false);
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
  }

  std::filesystem::path Path(std::string_view name) const { return m_dir / name; }
  const std::filesystem::path& Dir() const { return m_dir; }
  static std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void Write(const std::filesystem::path& p, std::string_view bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
  }

  // Runs fn on a disk that is full for this process beyond `bytes` of file size.
  template <typename Fn>
  static auto OnFullDisk([[maybe_unused]] std::uint64_t bytes, Fn&& fn) {
#if defined(_WIN32)
    return fn();
#else
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small{bytes, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    auto result = fn();
    setrlimit(RLIMIT_FSIZE, &saved);
    return result;
#endif
  }

  // Makes a folder refuse new files while its files stay writable, or undoes that; false
  // where that is not possible (the test then skips). By the folder's mode, or, for root,
  // whom modes do not stop, by the immutable flag. A read-only folder on Windows still
  // takes new files.
  bool LockFolder([[maybe_unused]] const std::filesystem::path& folder, [[maybe_unused]] bool on = true) {
#if defined(_WIN32)
    return false;
#else
    namespace fs = std::filesystem;
    if (on) m_locked = folder;
    std::error_code ec;
    if (geteuid() != 0) {
      fs::permissions(folder, on ? fs::perms::owner_read | fs::perms::owner_exec : fs::perms::owner_all, ec);
      return !ec;
    }
    const std::string chattr =
        std::string("chattr ") + (on ? "+i '" : "-i '") + folder.string() + "' 2>/dev/null";
    return std::system(chattr.c_str()) == 0;
#endif
  }

 private:
  std::filesystem::path m_dir =
      std::filesystem::temp_directory_path() /
      ("kx-persist-" + std::to_string(std::random_device{}()) + std::to_string(std::random_device{}()));
  std::filesystem::path m_locked;
};

}  // namespace persist::testing
