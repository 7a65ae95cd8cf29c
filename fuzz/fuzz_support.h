#pragma once
// Shared by the fuzz targets: an invariant check that stops the run with a readable
// reason (libFuzzer then keeps the input as a crash), and a scratch folder for the
// targets whose parsers read files.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kxfuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* what) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
  std::abort();
}

#define KX_FUZZ_CHECK(cond)                                 \
  do {                                                      \
    if (!(cond)) ::kxfuzz::Fail(__FILE__, __LINE__, #cond); \
  } while (false)

// One folder per process, removed at exit. Targets rewrite the files inside it for
// every input, so nothing carries over from one input to the next.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device rd;
    // Memory-backed where there is one: the file targets write several files for
    // every input, and a disk would set the pace of the whole run.
    std::error_code ec;
    const std::filesystem::path shm = "/dev/shm";
    const std::filesystem::path base =
        std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
    m_dir = base / ("kx-fuzz-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(m_dir);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::filesystem::path Path(std::string_view name) const { return m_dir / name; }

  // Replaces whatever the folder held under that name.
  std::filesystem::path Fresh(std::string_view name, std::string_view bytes) const {
    const std::filesystem::path p = Path(name);
    std::error_code ec;
    std::filesystem::remove_all(p, ec);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) Fail(__FILE__, __LINE__, "scratch file not written");
    return p;
  }

 private:
  std::filesystem::path m_dir;
};

// The input cut after every LF; the last piece may lack one.
inline std::vector<std::string_view> Lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    const std::size_t lf = bytes.find('\n');
    const std::size_t n = lf == std::string_view::npos ? bytes.size() : lf + 1;
    lines.push_back(bytes.substr(0, n));
    bytes.remove_prefix(n);
  }
  return lines;
}

inline std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Value of a hex digit of either case, or -1; written here again rather than taken
// from the code under test, so that a fault there cannot hide itself.
constexpr int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace kxfuzz
