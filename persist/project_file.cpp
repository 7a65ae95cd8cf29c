#include "persist/project_file.h"

#include <memory>
#include <string>

#include "persist/file_access.h"
#include "persist/path_text.h"
#include "persist/project_file_format.h"
#include "program/program_image_codec.h"
#include "program/step_packing.h"

namespace persist {

namespace {

// A project file is 160 KB; a lenient reader still need not swallow anything at all.
constexpr std::size_t kMaxProjectBytes = 16u << 20;

std::string SkippedNote(const ProjectParse& parse) {
  std::string note;
  const auto add = [&note](std::size_t count, const char* what) {
    if (count == 0) return;
    note += note.empty() ? " (" : ", ";
    note += std::to_string(count) + what;
  };
  add(parse.skippedLines, " satır adressiz ya da hatalı adresli");
  add(parse.badFields, " alan onaltılık değil");
  add(parse.bytesPastEnd, " bayt FFFF adresinin ötesinde");
  if (!note.empty()) note += "; atlandı)";
  return note;
}

}  // namespace

IoResult ProjectLoad(std::string_view ProjectPath, program::ProgramImage& image,
                     program::EditorModel& model) {
  if (ProjectPath.empty()) return IoResult::Fail("Proje dosyası seçilmedi");
  const std::filesystem::path path = PathFromUtf8(ProjectPath);
  if (!FileExists(path)) {
    return IoResult::Fail("Proje dosyası bulunamadı: " + std::string(ProjectPath));
  }

  std::string text;
  if (IoResult read = ReadWholeFile(path, text, kMaxProjectBytes); !read) {
    return IoResult::Fail("Proje dosyası okunamadı: " + read.message);
  }
  auto scratch = std::make_unique<program::ProgramImage>();
  const ProjectParse parse = ParseProjectFile(text, *scratch);
  if (parse.lines == 0) {
    return IoResult::Fail("Proje dosyası geçersiz, okunabilir satır yok: " + std::string(ProjectPath));
  }
  if (parse.NotAProject()) {
    return IoResult::Fail("Proje dosyası değil, satırlarının çoğu proje satırı değil: " +
                          std::string(ProjectPath));
  }

  image = *scratch;
  program::UnpackProgramImage(image, model);
  program::ExpandSteps(model);
  return IoResult::Ok("Proje yüklendi: " + std::string(ProjectPath) + SkippedNote(parse));
}

IoResult ProjectSave(std::string_view ProjectPath, const program::ProgramImage& image) {
  if (ProjectPath.empty()) return IoResult::Fail("Proje dosyası seçilmedi, kaydedilmedi");
  const std::filesystem::path path = PathFromUtf8(ProjectPath);
  if (IoResult written = WriteFileAtomic(path, FormatProjectFile(image)); !written) {
    return IoResult::Fail("Proje kaydedilemedi: " + written.message);
  } else if (!written.message.empty()) {
    return IoResult::Ok("Proje kaydedildi: " + std::string(ProjectPath) + " (" + written.message + ")");
  }
  return IoResult::Ok("Proje kaydedildi: " + std::string(ProjectPath));
}

}  // namespace persist
