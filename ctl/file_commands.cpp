#include "ctl/file_commands.h"

#include <cstdio>
#include <memory>

#include "ctl/exit_status.h"
#include "persist/junction_file.h"
#include "persist/project_file.h"
#include "program/editor_model.h"
#include "program/program_check.h"
#include "program/program_image.h"

namespace ctl {

namespace {

std::string JsonText(const std::string& s) {
  std::string out = "\"";
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string WarningJson(const program::CheckWarning& w) {
  return "{\"kind\":" + JsonText(std::string(program::CheckKindName(w.kind))) +
         ",\"record\":" + std::to_string(w.record) + ",\"step\":" + std::to_string(w.step) +
         ",\"group\":" + std::to_string(w.group) + ",\"otherGroup\":" + std::to_string(w.otherGroup) +
         ",\"day\":" + std::to_string(w.day) + ",\"entry\":" + std::to_string(w.entry) +
         ",\"text\":" + JsonText(w.text) + "}";
}

// The project into `image`; false with the reason on `err`. A load's note (lines the
// reader skipped) is passed on as a warning.
bool Load(const std::string& file, program::ProgramImage& image, std::ostream& err) {
  auto model = std::make_unique<program::EditorModel>();
  const persist::IoResult r = persist::ProjectLoad(file, image, *model);
  if (!r.ok) {
    err << "kx7140ctl: " << r.message << "\n";
    return false;
  }
  if (!r.message.empty()) err << "kx7140ctl: warning: " << r.message << "\n";
  return true;
}

int Check(const CtlOptions& options, std::ostream& out, std::ostream& err) {
  auto image = std::make_unique<program::ProgramImage>();
  if (!Load(options.projectFile, *image, err)) return exit_status::kFile;
  program::JunctionData junction;
  const persist::IoResult j = persist::JunctionLoad(options.projectFile, junction);
  // Checked without conflicts, the file would pass where it should not.
  if (!j.ok) {
    err << "kx7140ctl: " << j.message << "\n";
    return exit_status::kFile;
  }
  const std::vector<program::CheckWarning> warnings = program::CheckImage(*image, junction);
  if (options.json) {
    out << "{\"file\":" << JsonText(options.projectFile) << ",\"warnings\":[";
    for (std::size_t i = 0; i < warnings.size(); ++i) out << (i ? "," : "") << WarningJson(warnings[i]);
    out << "]}\n";
  } else {
    for (const program::CheckWarning& w : warnings) out << w.text << "\n";
  }
  out << std::flush;
  return warnings.empty() ? exit_status::kDone : exit_status::kDiffers;
}

int Diff(const CtlOptions& options, std::ostream& out, std::ostream& err) {
  auto a = std::make_unique<program::ProgramImage>();
  auto b = std::make_unique<program::ProgramImage>();
  if (!Load(options.projectFile, *a, err) || !Load(options.otherProjectFile, *b, err))
    return exit_status::kFile;
  return PrintDifferences(program::CompareImages(*a, *b), out);
}

}  // namespace

int PrintDifferences(const std::vector<program::ImageDifference>& differences, std::ostream& out) {
  for (const program::ImageDifference& d : differences) out << d.text << "\n";
  out << std::flush;
  return differences.empty() ? exit_status::kDone : exit_status::kDiffers;
}

int RunFileCommand(const CtlOptions& options, std::ostream& out, std::ostream& err) {
  return options.command == Command::Diff ? Diff(options, out, err) : Check(options, out, err);
}

}  // namespace ctl
