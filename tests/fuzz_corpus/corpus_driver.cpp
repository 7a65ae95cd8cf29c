// Feeds every file of a corpus folder to the fuzz target linked with it, in name
// order, so that a seed or a regression input that breaks an invariant fails a test.
// A folder without files fails too: a target without seeds would pass unseen.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  std::error_code ec;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(argc == 2 ? argv[1] : "", ec)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  if (ec || files.empty()) {
    std::fprintf(stderr, "usage: %s CORPUS_DIR (a folder with at least one file)\n", argv[0]);
    return 1;
  }
  std::sort(files.begin(), files.end());
  for (const auto& path : files) {
    std::ifstream in(path, std::ios::binary);
    // Exactly the input's size, as libFuzzer hands it over, so that AddressSanitizer
    // sees a read past its end.
    const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
    if (!in && !in.eof()) {
      std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
      return 1;
    }
    std::fprintf(stderr, "%s (%zu bytes)\n", path.filename().string().c_str(), data.size());
    LLVMFuzzerTestOneInput(data.data(), data.size());
  }
  std::printf("%zu inputs\n", files.size());
  return 0;
}
