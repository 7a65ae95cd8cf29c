// Any file as a project file, read over a project already open (what must hold:
// fuzz/README.md).

#include "fuzz/fuzz_support.h"
#include "persist/project_file.h"
#include "persist/project_file_format.h"
#include "program/editor_model.h"
#include "program/program_image_codec.h"
#include "program/step_packing.h"

namespace {

using program::EditorModel;
using program::ProgramImage;
constexpr std::size_t kImageSize = program::kProgramImageSize;

// The image as it was before, with the sixteen bytes from each line's address taken
// from the image after: equal to the image after when the reader set no byte that no
// line names.
void TakeNamedBytes(std::string_view text, const ProgramImage& after, ProgramImage& before) {
  for (std::string_view line : kxfuzz::TextLines(text)) {
    if (line.size() < 2) continue;
    std::size_t address = 0;
    bool hex = true;
    for (std::size_t i = 1; i < 5 && i < line.size(); ++i) {
      const int d = kxfuzz::Hex(line[i]);
      hex = hex && d >= 0;
      address = address * 16 + static_cast<std::size_t>(std::max(d, 0));
    }
    if (!hex || address >= kImageSize) continue;
    const std::size_t end = std::min(address + 16, kImageSize);
    std::copy(after.begin() + static_cast<std::ptrdiff_t>(address),
              after.begin() + static_cast<std::ptrdiff_t>(end),
              before.begin() + static_cast<std::ptrdiff_t>(address));
  }
}

// An image that already holds a project, made once.
const ProgramImage& Pattern() {
  static const auto image = kxfuzz::PatternImage(11, 1);
  return *image;
}

// Scratch images and models, allocated once and reset before each use.
struct Buffers {
  std::unique_ptr<ProgramImage> parsed = std::make_unique<ProgramImage>();
  std::unique_ptr<ProgramImage> spare = std::make_unique<ProgramImage>();
  std::unique_ptr<ProgramImage> other = std::make_unique<ProgramImage>();
  std::unique_ptr<ProgramImage> loaded = std::make_unique<ProgramImage>();
  std::unique_ptr<EditorModel> model = std::make_unique<EditorModel>();
  std::unique_ptr<const EditorModel> patternModel = [] {
    auto m = std::make_unique<EditorModel>();
    program::UnpackProgramImage(Pattern(), *m);
    program::ExpandSteps(*m);
    return m;
  }();
};

bool SameModel(const EditorModel& a, const EditorModel& b) {
  return a.ProjectText == b.ProjectText && a.ParamWords == b.ParamWords && a.PgmNames == b.PgmNames &&
         a.PgmSettings == b.PgmSettings && a.PgmSteps == b.PgmSteps && a.PgmGroups == b.PgmGroups &&
         a.WeekTable == b.WeekTable;
}

// The layout written out by hand: "P", the address, ":", sixteen bytes, CR LF.
void CheckLayout(std::string_view file, const ProgramImage& image) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string expected;
  expected.reserve(persist::kProjectFileBytes);
  for (std::size_t address = 0; address < kImageSize; address += persist::kProjectLineBytes) {
    expected += 'P';
    for (int shift = 12; shift >= 0; shift -= 4) expected += kDigits[(address >> shift) & 0xF];
    expected += ':';
    for (std::size_t i = 0; i < persist::kProjectLineBytes; ++i) {
      expected += kDigits[image[address + i] >> 4];
      expected += kDigits[image[address + i] & 0xF];
    }
    expected += "\r\n";
  }
  KX_FUZZ_CHECK(expected.size() == 4096 * 40);
  KX_FUZZ_CHECK(file == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static Buffers b;

  // The reader on its own, over an image that already holds something.
  ProgramImage& image = *b.parsed;
  image = Pattern();
  const persist::ProjectParse parse = persist::ParseProjectFile(text, image);
  KX_FUZZ_CHECK(parse.lines + parse.skippedLines == kxfuzz::TextLines(text).size());
  KX_FUZZ_CHECK(parse.badFields + parse.bytesPastEnd <= persist::kProjectLineBytes * parse.lines);
  KX_FUZZ_CHECK(parse.damagedLines <= parse.lines && parse.damagedLines <= parse.badFields);
  *b.other = Pattern();
  TakeNamedBytes(text, image, *b.other);
  KX_FUZZ_CHECK(*b.other == image);
  if (parse.lines == 0) KX_FUZZ_CHECK(image == Pattern());

  // Whatever was read goes out in the one layout, and that reads back exactly.
  const std::string formatted = persist::FormatProjectFile(image);
  CheckLayout(formatted, image);
  b.other->fill(0);
  const persist::ProjectParse reparse = persist::ParseProjectFile(formatted, *b.other);
  KX_FUZZ_CHECK(reparse.lines == persist::kProjectLineCount && reparse.skippedLines == 0 &&
                reparse.badFields == 0 && reparse.bytesPastEnd == 0);
  KX_FUZZ_CHECK(*b.other == image);

  // The same text as a file on disk, loaded over a project already open.
  const auto path = kxfuzz::Scratch().Fresh("input.prj", text);
  ProgramImage& loaded = *b.loaded;
  loaded = Pattern();
  *b.model = *b.patternModel;
  const persist::IoResult load = persist::ProjectLoad(path.string(), loaded, *b.model);
  ProgramImage& fromZero = *b.other;
  fromZero.fill(0);
  const persist::ProjectParse zeroParse = persist::ParseProjectFile(text, fromZero);
  KX_FUZZ_CHECK(load.ok == (zeroParse.lines > 0 && !zeroParse.NotAProject()));
  KX_FUZZ_CHECK(!load.message.empty());
  if (!load.ok) {
    KX_FUZZ_CHECK(loaded == Pattern());
    KX_FUZZ_CHECK(SameModel(*b.model, *b.patternModel));
    return 0;
  }
  KX_FUZZ_CHECK(loaded == fromZero);

  // Packing the freshly filled model changes nothing but the fifteen unused flash
  // durations of each flash record, which the editor keeps at 0.
  program::CompactSteps(*b.model);
  ProgramImage& packed = *b.other;
  packed = loaded;
  program::PackProgramImage(*b.model, packed);
  ProgramImage& spareCleared = *b.spare;
  spareCleared = loaded;
  std::fill(spareCleared.begin() + 0x0F11, spareCleared.begin() + 0x0F20, 0);
  std::fill(spareCleared.begin() + 0x0F91, spareCleared.begin() + 0x0FA0, 0);
  KX_FUZZ_CHECK(packed == spareCleared);

  // Saved, the file is the layout checked above, byte for byte.
  const auto saved = kxfuzz::Scratch().Path("saved.prj");
  KX_FUZZ_CHECK(persist::ProjectSave(saved.string(), *b.parsed).ok);
  KX_FUZZ_CHECK(kxfuzz::ReadFile(saved) == formatted);
  return 0;
}
