#pragma once
// Shared by the fuzz targets: an invariant check that stops the run with a readable
// reason (libFuzzer keeps the input as a crash), a scratch folder for the file parsers,
// and frame readers of their own, so that a fault in the code under test cannot hide.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "program/memory_map.h"
#include "program/program_image.h"

namespace kxfuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* what) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
  std::abort();
}

#define KX_FUZZ_CHECK(cond)                                 \
  do {                                                      \
    if (!(cond)) ::kxfuzz::Fail(__FILE__, __LINE__, #cond); \
  } while (false)

// One folder per process, removed at exit; memory-backed where there is one, as the
// file targets write several files for every input.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device rd;
    std::error_code ec;
    m_dir =
        std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : std::filesystem::temp_directory_path();
    m_dir /= "kx-fuzz-" + std::to_string(rd()) + "-" + std::to_string(rd());
    std::filesystem::create_directories(m_dir);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
  }

  std::filesystem::path Path(std::string_view name) const { return m_dir / name; }

  // Replaces whatever the folder held under that name.
  std::filesystem::path Fresh(std::string_view name, std::string_view bytes) const {
    const std::filesystem::path p = Path(name);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush()) {
      Fail(__FILE__, __LINE__, "scratch file not written");
    }
    return p;
  }

 private:
  std::filesystem::path m_dir;
};

inline const ScratchFolder& Scratch() {
  static const ScratchFolder folder;
  return folder;
}

inline std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The input cut after every LF; the last piece may lack one.
inline std::vector<std::string_view> Lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    const std::size_t n = std::min(bytes.find('\n'), bytes.size() - 1) + 1;
    lines.push_back(bytes.substr(0, n));
    bytes.remove_prefix(n);
  }
  return lines;
}

// The lines of a text file as its readers count them: CR LF, a lone CR or a lone LF
// ends one and is not part of it.
inline std::vector<std::string_view> TextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// Value of a hex digit of either case, or -1.
constexpr int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The bytes of a frame ":" hex CR LF of at least three bytes, LRC checked and dropped.
// The controller reads upper-case digits only; what it writes may be read either way.
inline std::optional<std::vector<std::uint8_t>> FrameBytes(std::string_view line, bool upperOnly) {
  if (!line.ends_with("\r\n") || !line.starts_with(':')) return std::nullopt;
  line = line.substr(1, line.size() - 3);
  if (line.size() % 2 != 0 || line.size() < 6) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  unsigned sum = 0;
  for (std::size_t i = 0; i < line.size(); i += 2) {
    const int hi = Hex(line[i]), lo = Hex(line[i + 1]);
    if (hi < 0 || lo < 0 || (upperOnly && (line[i] >= 'a' || line[i + 1] >= 'a'))) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    sum += bytes.back();
  }
  if ((sum & 0xFF) != 0) return std::nullopt;
  bytes.pop_back();
  return bytes;
}

struct Block {
  std::size_t address = 0;
  std::array<std::uint8_t, 128> data{};
};

// A block-read reply the link may store: whole, hex, correct LRC, inside the image; its
// CR may be missing.
inline std::optional<Block> UsableBlock(std::string_view line) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  const auto b = FrameBytes(std::string(line) + "\r\n", false);
  if (!b || b->size() != 8 + 128 || (*b)[0] != 1 || (*b)[1] != 0xCF || (*b)[3] != 4) return std::nullopt;
  Block block{static_cast<std::size_t>((*b)[4] << 8 | (*b)[5]), {}};
  if (block.address + 128 > program::kProgramImageSize) return std::nullopt;
  std::copy(b->begin() + 8, b->end(), block.data.begin());
  return block;
}

// An image on the heap, exactly its size so that AddressSanitizer sees a store past
// its end, filled with a pattern unlike a real project's.
inline std::unique_ptr<program::ProgramImage> PatternImage(unsigned step, unsigned offset) {
  auto image = std::make_unique<program::ProgramImage>();
  for (std::size_t i = 0; i < image->size(); ++i) (*image)[i] = static_cast<std::uint8_t>(i * step + offset);
  return image;
}

}  // namespace kxfuzz
