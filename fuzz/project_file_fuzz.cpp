// Arbitrary file contents as a project file. The reader may only set bytes that some
// line names; whatever it made of the file re-serialises to the fixed layout and reads
// back the same; a load that fails changes neither the image nor the model, and one
// that works fills the model so that packing it gives the image back.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "persist/project_file.h"
#include "persist/project_file_format.h"
#include "program/editor_model.h"
#include "program/program_image.h"
#include "program/program_image_codec.h"
#include "program/step_packing.h"

namespace {

using program::EditorModel;
using program::ProgramImage;
constexpr std::size_t kImageSize = program::kProgramImageSize;

const kxfuzz::ScratchFolder& Scratch() {
  static const kxfuzz::ScratchFolder folder;
  return folder;
}

std::vector<std::string_view> Lines(std::string_view text) {
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

// Which bytes the lines of the text name at all: the sixteen from each line's address.
std::vector<bool> NamedBytes(std::string_view text) {
  std::vector<bool> named(kImageSize, false);
  for (std::string_view line : Lines(text)) {
    if (line.size() < 2) continue;
    std::size_t address = 0;
    bool hex = true;
    for (std::size_t i = 1; i < 5 && i < line.size(); ++i) {
      const int d = kxfuzz::Hex(line[i]);
      hex = hex && d >= 0;
      address = address * 16 + static_cast<std::size_t>(std::max(d, 0));
    }
    if (!hex) continue;
    for (std::size_t a = address; a < address + 16 && a < kImageSize; ++a) named[a] = true;
  }
  return named;
}

void Pattern(ProgramImage& image) {
  for (std::size_t i = 0; i < kImageSize; ++i) image[i] = static_cast<std::uint8_t>(i * 11 + 1);
}

bool SameModel(const EditorModel& a, const EditorModel& b) {
  return a.ProjectText == b.ProjectText && a.ParamWords == b.ParamWords &&
         a.PgmNames == b.PgmNames && a.PgmSettings == b.PgmSettings &&
         a.PgmSteps == b.PgmSteps && a.PgmGroups == b.PgmGroups && a.WeekTable == b.WeekTable;
}

void CheckLayout(std::string_view file, const ProgramImage& image) {
  KX_FUZZ_CHECK(file.size() == persist::kProjectFileBytes);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (std::size_t n = 0; n < persist::kProjectLineCount; ++n) {
    const std::string_view line = file.substr(n * (persist::kProjectLineChars + 2), persist::kProjectLineChars + 2);
    const std::size_t address = n * persist::kProjectLineBytes;
    KX_FUZZ_CHECK(line[0] == 'P' && line[5] == ':' && line.ends_with("\r\n"));
    for (int d = 0; d < 4; ++d) KX_FUZZ_CHECK(line[1 + d] == kDigits[(address >> (12 - 4 * d)) & 0xF]);
    for (std::size_t i = 0; i < persist::kProjectLineBytes; ++i) {
      const std::uint8_t b = image[address + i];
      KX_FUZZ_CHECK(line[6 + 2 * i] == kDigits[b >> 4] && line[7 + 2 * i] == kDigits[b & 0xF]);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  // The reader on its own, over an image that already holds something.
  auto image = std::make_unique<ProgramImage>();
  Pattern(*image);
  const persist::ProjectParse parse = persist::ParseProjectFile(text, *image);
  KX_FUZZ_CHECK(parse.lines + parse.skippedLines == Lines(text).size());
  KX_FUZZ_CHECK(parse.badFields + parse.bytesPastEnd <= persist::kProjectLineBytes * parse.lines);
  {
    auto before = std::make_unique<ProgramImage>();
    Pattern(*before);
    const std::vector<bool> named = NamedBytes(text);
    for (std::size_t a = 0; a < kImageSize; ++a) KX_FUZZ_CHECK(named[a] || (*image)[a] == (*before)[a]);
    if (parse.lines == 0) KX_FUZZ_CHECK(*image == *before);
  }

  // Whatever was read goes out in the one layout, and that reads back exactly.
  const std::string formatted = persist::FormatProjectFile(*image);
  CheckLayout(formatted, *image);
  auto again = std::make_unique<ProgramImage>();
  const persist::ProjectParse reparse = persist::ParseProjectFile(formatted, *again);
  KX_FUZZ_CHECK(reparse.lines == persist::kProjectLineCount && reparse.skippedLines == 0 &&
                reparse.badFields == 0 && reparse.bytesPastEnd == 0);
  KX_FUZZ_CHECK(*again == *image);

  // The same text as a file on disk, loaded over a project already open.
  const auto path = Scratch().Fresh("input.prj", text);
  auto loaded = std::make_unique<ProgramImage>();
  Pattern(*loaded);
  auto model = std::make_unique<EditorModel>();
  program::UnpackProgramImage(*loaded, *model);
  program::ExpandSteps(*model);
  auto modelBefore = std::make_unique<EditorModel>(*model);
  const persist::IoResult load = persist::ProjectLoad(path.string(), *loaded, *model);
  auto fromZero = std::make_unique<ProgramImage>();
  const persist::ProjectParse zeroParse = persist::ParseProjectFile(text, *fromZero);
  KX_FUZZ_CHECK(load.ok == (zeroParse.lines > 0));
  KX_FUZZ_CHECK(!load.message.empty());
  if (!load.ok) {
    Pattern(*fromZero);
    KX_FUZZ_CHECK(*loaded == *fromZero);
    KX_FUZZ_CHECK(SameModel(*model, *modelBefore));
    return 0;
  }
  KX_FUZZ_CHECK(*loaded == *fromZero);

  // Packing the freshly filled model changes nothing but the fifteen unused flash
  // durations of each flash record, which the editor keeps at 0.
  program::CompactSteps(*model);
  auto packed = std::make_unique<ProgramImage>(*loaded);
  program::PackProgramImage(*model, *packed);
  for (std::size_t a = 0; a < kImageSize; ++a) {
    const bool spareDuration = (a > 0x0F10 && a < 0x0F20) || (a > 0x0F90 && a < 0x0FA0);
    KX_FUZZ_CHECK(spareDuration ? (*packed)[a] == 0 : (*packed)[a] == (*loaded)[a]);
  }

  // Saved and opened again, the project is the same image.
  const auto saved = Scratch().Path("saved.prj");
  KX_FUZZ_CHECK(persist::ProjectSave(saved.string(), *loaded).ok);
  KX_FUZZ_CHECK(kxfuzz::ReadFile(saved) == persist::FormatProjectFile(*loaded));
  auto reopened = std::make_unique<ProgramImage>();
  auto reopenedModel = std::make_unique<EditorModel>();
  KX_FUZZ_CHECK(persist::ProjectLoad(saved.string(), *reopened, *reopenedModel).ok);
  KX_FUZZ_CHECK(*reopened == *loaded);
  return 0;
}
