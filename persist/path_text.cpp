#include "persist/path_text.h"

namespace persist {

// Going through char8_t makes the conversion UTF-8 on every platform, not the
// narrow code page that std::string paths use on Windows.
std::filesystem::path PathFromUtf8(std::string_view text) {
  std::u8string u8(text.begin(), text.end());
  return std::filesystem::path(u8);
}

std::string PathToUtf8(const std::filesystem::path& path) {
  const std::u8string u8 = path.u8string();
  return std::string(u8.begin(), u8.end());
}

}  // namespace persist
