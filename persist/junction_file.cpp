#include "persist/junction_file.h"

#include <filesystem>
#include <system_error>

#include "persist/file_access.h"
#include "persist/junction_file_format.h"
#include "persist/path_text.h"

namespace persist {

std::string JunctionPathFor(std::string_view ProjectPath) {
  if (ProjectPath.empty()) return {};
  return std::string(ProjectPath) + std::string(kJunctionFileExtension);
}

IoResult JunctionLoad(std::string_view ProjectPath, program::JunctionData& data) {
  const std::string name = JunctionPathFor(ProjectPath);
  const std::filesystem::path path = PathFromUtf8(name);
  std::error_code ec;
  if (name.empty() || !std::filesystem::exists(std::filesystem::symlink_status(path, ec))) {
    data = program::JunctionData{};
    return IoResult::Ok();
  }
  if (!FileExists(path)) return IoResult::Fail("Kavşak dosyası düz bir dosya değil: " + name);

  std::string text;
  if (IoResult read = ReadWholeFile(path, text, kMaxJunctionFileBytes); !read) {
    return IoResult::Fail("Kavşak dosyası okunamadı: " + read.message);
  }
  const JunctionParse parse = ParseJunctionFile(text, data);
  if (!parse.ok) return IoResult::Fail("Kavşak dosyası okunamadı: " + name + ", " + parse.message);
  std::string note = "Kavşak verisi yüklendi: " + name;
  if (parse.ignoredLines > 0) {
    note += " (" + std::to_string(parse.ignoredLines) + " satır tanınmadı, atlandı)";
  }
  return IoResult::Ok(note);
}

IoResult JunctionSave(std::string_view ProjectPath, const program::JunctionData& data) {
  if (ProjectPath.empty()) {
    return IoResult::Fail("Proje dosyası seçilmedi, kavşak verisi kaydedilmedi");
  }
  const std::string name = JunctionPathFor(ProjectPath);
  if (IoResult written = WriteFileAtomic(PathFromUtf8(name), FormatJunctionFile(data)); !written) {
    return IoResult::Fail("Kavşak verisi kaydedilemedi: " + written.message);
  }
  return IoResult::Ok("Kavşak verisi kaydedildi: " + name);
}

}  // namespace persist
