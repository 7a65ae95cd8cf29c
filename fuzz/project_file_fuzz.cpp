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
    std::size_t address = 0;
    bool hex = line.size() >= 2;
    for (std::size_t i = 1; i < 5 && i < line.size(); ++i) {
      const int d = bus::HexDigitValue(line[i]);
      hex = hex && d >= 0;
      address = address * 16 + static_cast<std::size_t>(std::max(d, 0));
    }
    if (!hex || address >= kImageSize) continue;
    const auto from = static_cast<std::ptrdiff_t>(address);
    const auto end = static_cast<std::ptrdiff_t>(std::min(address + 16, kImageSize));
    std::copy(after.begin() + from, after.begin() + end, before.begin() + from);
  }
}

// The layout written out by hand: "P", the address, ":", sixteen bytes, CR LF.
std::string Layout(const ProgramImage& image) {
  std::string text;
  for (std::size_t address = 0; address < kImageSize; address += persist::kProjectLineBytes) {
    text += "P" + bus::WordToHex4(static_cast<std::int32_t>(address)) + ":";
    for (std::size_t i = address; i < address + persist::kProjectLineBytes; ++i)
      text += bus::ByteToHex2(image[i]);
    text += "\r\n";
  }
  return text;
}

// An image that already holds a project and its model; scratch images, allocated once.
struct Buffers {
  std::unique_ptr<const ProgramImage> pattern = kxfuzz::PatternImage(11, 1);
  std::unique_ptr<const EditorModel> patternModel = [this] {
    auto m = std::make_unique<EditorModel>();
    program::UnpackProgramImage(*pattern, *m);
    program::ExpandSteps(*m);
    return m;
  }();
  std::unique_ptr<ProgramImage> parsed = std::make_unique<ProgramImage>();
  std::unique_ptr<ProgramImage> other = std::make_unique<ProgramImage>();
  std::unique_ptr<ProgramImage> loaded = std::make_unique<ProgramImage>();
  std::unique_ptr<EditorModel> model = std::make_unique<EditorModel>();
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static const Buffers b;

  // The reader on its own, over an image that already holds something.
  ProgramImage& image = *b.parsed;
  image = *b.pattern;
  const persist::ProjectParse parse = persist::ParseProjectFile(text, image);
  // Every line counts once, and a damaged line is one of those read: what decides
  // whether the text is a project at all.
  KX_FUZZ_CHECK(parse.lines + parse.skippedLines == kxfuzz::TextLines(text).size() &&
                parse.damagedLines <= parse.lines);
  *b.other = *b.pattern;
  TakeNamedBytes(text, image, *b.other);
  KX_FUZZ_CHECK(*b.other == image);

  // Whatever was read goes out in the one layout, and that reads back exactly.
  const std::string formatted = persist::FormatProjectFile(image);
  KX_FUZZ_CHECK(formatted == Layout(image));
  b.other->fill(0);
  const persist::ProjectParse reparse = persist::ParseProjectFile(formatted, *b.other);
  KX_FUZZ_CHECK(reparse.lines == persist::kProjectLineCount && reparse.skippedLines == 0 &&
                reparse.badFields == 0 && *b.other == image);

  // The same text as a file on disk, loaded over a project already open.
  const auto path = kxfuzz::Scratch().Fresh("input.prj", text);
  ProgramImage& loaded = *b.loaded;
  loaded = *b.pattern;
  *b.model = *b.patternModel;
  const persist::IoResult load = persist::ProjectLoad(path.string(), loaded, *b.model);
  ProgramImage& fromZero = *b.other;
  fromZero.fill(0);
  const persist::ProjectParse zeroParse = persist::ParseProjectFile(text, fromZero);
  KX_FUZZ_CHECK(load.ok == (zeroParse.lines > 0 && !zeroParse.NotAProject()) && !load.message.empty());
  if (!load.ok) {
    KX_FUZZ_CHECK(loaded == *b.pattern && *b.model == *b.patternModel);
    return 0;
  }
  KX_FUZZ_CHECK(loaded == fromZero);

  // Packing the freshly filled model changes nothing but the fifteen unused flash
  // durations of each flash record, which the editor keeps at 0.
  program::CompactSteps(*b.model);
  ProgramImage& packed = *b.other;
  packed = loaded;
  program::PackProgramImage(*b.model, packed);
  std::fill(loaded.begin() + 0x0F11, loaded.begin() + 0x0F20, 0);
  std::fill(loaded.begin() + 0x0F91, loaded.begin() + 0x0FA0, 0);
  KX_FUZZ_CHECK(packed == loaded);

  // Saved, the file is the layout checked above, byte for byte.
  const auto saved = kxfuzz::Scratch().Path("saved.prj");
  KX_FUZZ_CHECK(persist::ProjectSave(saved.string(), image).ok && kxfuzz::ReadFile(saved) == formatted);
  return 0;
}
