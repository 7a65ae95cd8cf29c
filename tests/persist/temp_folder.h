#pragma once
// A fresh folder per test, removed with everything in it afterwards, and whole-file
// helpers for checking layouts byte for byte.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace persist::testing {

class TempFolder : public ::testing::Test {
 protected:
  // Made in the constructor, so that member initialisers of a derived fixture can
  // already name paths inside it.
  TempFolder() {
    std::random_device rd;
    m_dir = std::filesystem::temp_directory_path() /
            ("kx-persist-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(m_dir);
  }
  ~TempFolder() override {
    std::error_code ec;
    std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_dir, ec);
  }

  std::filesystem::path Path(std::string_view name) const { return m_dir / name; }
  const std::filesystem::path& Dir() const { return m_dir; }

  static std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Write(const std::filesystem::path& p, std::string_view bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(m_dir),
                                                  std::filesystem::directory_iterator()));
  }

 private:
  std::filesystem::path m_dir;
};

}  // namespace persist::testing
