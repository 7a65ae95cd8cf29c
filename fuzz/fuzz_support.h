#pragma once
// Shared by the fuzz targets: an invariant check that stops the run with a readable
// reason (libFuzzer keeps the input as a crash), a scratch folder for the file parsers,
// and the split of an input into lines.

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

#include "link/hex_text.h"
#include "link/line_check.h"
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
    std::error_code ec;
    m_dir =
        std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : std::filesystem::temp_directory_path();
    m_dir /= "kx-fuzz-" + std::to_string(std::random_device{}()) + std::to_string(std::random_device{}());
    std::filesystem::create_directories(m_dir);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
  }

  std::filesystem::path Path(std::string_view name) const { return m_dir / name; }

  // Replaces whatever the folder held under that name.
  std::filesystem::path Fresh(std::string_view name, std::string_view bytes) const {
    std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush()) {
      Fail(__FILE__, __LINE__, "scratch file not written");
    }
    return Path(name);
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

struct Block {
  std::size_t address = 0;
  std::array<std::uint8_t, 128> data{};
};

// A block reply of the CPU as the link's line check takes it (whole, hex, correct LRC,
// inside the memory; its CR may be missing), with its data.
inline std::optional<Block> UsableBlock(std::string_view line) {
  const bus::LineCheck c = bus::CheckLine(line);
  if (!c.taken() || c.head.address != 1 || c.head.function != 0xCF || c.head.item != 4) return std::nullopt;
  Block block{static_cast<std::size_t>(c.head.blockAddress), {}};
  for (std::size_t i = 0, at = 17; i < block.data.size(); ++i, at += 2) {
    block.data[i] =
        static_cast<std::uint8_t>(bus::HexDigitValue(line[at]) * 16 + bus::HexDigitValue(line[at + 1]));
  }
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
