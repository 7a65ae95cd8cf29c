// kx7140ctl check, diff and verify: what they list, in which form, and the exit
// status a script reads.

#include "ctl/file_commands.h"

#include <fstream>

#include "ctl/exit_status.h"
#include "ctl_fixture.h"
#include "persist/junction_file.h"
#include "persist/project_file.h"
#include "program/program_checksum.h"
#include "program/program_image_codec.h"
#include "program/step_packing.h"

namespace {

namespace es = ctl::exit_status;
using ctltest::CtlRun;
using ctltest::Lines;

struct FileCommands : ctltest::CtlTest {
  CtlRun RunFile(const std::vector<std::string>& args) {
    CtlRun run;
    ctl::CtlOptions options;
    std::string error;
    if (!ctl::ParseCtlOptions(args, options, error)) {
      ADD_FAILURE() << "arguments refused: " << error;
      return run;
    }
    std::ostringstream out, err;
    run.status = ctl::RunFileCommand(options, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
  }
  // A project whose Program1 turns group 1 from green straight to red, PR02 = `pr02`.
  std::string Project(const std::string& name, int pr02 = 180) {
    auto model = std::make_unique<program::EditorModel>();
    model->ParamWords[2] = pr02;
    model->PgmGroups[2][1] = {20, 4, 1};
    model->PgmGroups[2][2] = {20, 1, 4};
    program::CompactSteps(*model);
    auto image = std::make_unique<program::ProgramImage>();
    program::PackProgramImage(*model, *image);
    const std::string path = Path(name);
    EXPECT_TRUE(persist::ProjectSave(path, *image).ok);
    return path;
  }
};

TEST_F(FileCommands, TheirCommandLinesNeedNoPortAndRefuseWhatIsNotTheirs) {
  struct Case {
    std::vector<std::string> args;
    std::string error;  // empty: accepted
  } cases[] = {
      {{"check", "a.prj"}, ""},
      {{"check", "--json", "a.prj"}, ""},
      {{"diff", "a.prj", "b.prj"}, ""},
      {{"check"}, "check needs a project file"},
      {{"diff", "a.prj"}, "diff needs two project files"},
      {{"diff", "a.prj", "b.prj", "c.prj"}, "unexpected argument 'c.prj'"},
      {{"diff", "--json", "a.prj", "b.prj"}, "--json belongs to the watch, decode and check commands"},
      {{"check", "--seconds", "3", "a.prj"}, "--seconds belongs to the watch and capture commands"},
      {{"verify", "a.prj"}, "--port DEVICE is needed (kx7140ctl ports lists the ports)"},
      {{"--port", "/dev/x", "--json", "verify", "a.prj"},
       "--json belongs to the watch, decode and check commands"},
  };
  for (const Case& c : cases) {
    ctl::CtlOptions options;
    std::string error;
    const bool ok = ctl::ParseCtlOptions(c.args, options, error);
    EXPECT_EQ(ok, c.error.empty()) << c.args[0] << " " << error;
    EXPECT_EQ(error, c.error);
  }
}

TEST_F(FileCommands, CheckListsTheWarningsWithTheJunctionBesideTheFile) {
  const std::string file = Project("a.prj");
  const CtlRun plain = RunFile({"check", file});
  EXPECT_EQ(plain.status, es::kDiffers) << plain.err;
  const auto lines = Lines(plain.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(plain.out.find("Grup-1"), std::string::npos);

  program::JunctionData junction;
  program::SetConflict(junction, 1, 2, 5, 5);
  ASSERT_TRUE(persist::JunctionSave(file, junction).ok);
  EXPECT_GT(Lines(RunFile({"check", file}).out).size(), lines.size()) << "the conflict adds warnings";
  const CtlRun json = RunFile({"check", "--json", file});
  EXPECT_EQ(json.status, es::kDiffers);
  EXPECT_EQ(json.out.rfind("{\"file\":\"" + file + "\",\"warnings\":[{\"kind\":", 0), 0u) << json.out;
  EXPECT_NE(json.out.find("\"kind\":\"short-intergreen\""), std::string::npos) << json.out;
  EXPECT_EQ(json.out.substr(json.out.size() - 3), "]}\n");

  std::ofstream(file + ".kavsak") << "KX7140 kavsak 1\r\ngrup 99 x\r\n";
  EXPECT_EQ(RunFile({"check", file}).status, es::kFile);
  EXPECT_EQ(RunFile({"check", Path("none.prj")}).status, es::kFile);

  auto empty = std::make_unique<program::ProgramImage>();
  ASSERT_TRUE(persist::ProjectSave(Path("empty.prj"), *empty).ok);
  const CtlRun clean = RunFile({"check", Path("empty.prj")});
  EXPECT_EQ(clean.status, es::kDone);
  EXPECT_EQ(clean.out, "");
}

TEST_F(FileCommands, DiffListsTheDifferencesInTheEditorsTerms) {
  const std::string a = Project("a.prj", 180), b = Project("b.prj", 190);
  const CtlRun differs = RunFile({"diff", a, b});
  EXPECT_EQ(differs.status, es::kDiffers);
  EXPECT_EQ(differs.out, "PR02: 180 -> 190\n");
  const CtlRun same = RunFile({"diff", a, a});
  EXPECT_EQ(same.status, es::kDone);
  EXPECT_EQ(same.out, "");
  EXPECT_EQ(RunFile({"diff", a, Path("none.prj")}).status, es::kFile);
}

TEST_F(FileCommands, VerifyComparesTheControllersMemoryWithTheDownload) {
  program::ProgramImage memory = sim::DemoMemory();
  program::WriteProgramChecksum(memory);
  ASSERT_TRUE(StartSim(qttest::FastBus(), memory));
  auto project = std::make_unique<program::ProgramImage>(memory);
  (*project)[0x0085] ^= 1;  // PR02's low byte
  const std::string file = Path("p.prj");
  ASSERT_TRUE(persist::ProjectSave(file, *project).ok);
  const CtlRun run = OnSim({"verify", file});
  EXPECT_EQ(run.status, es::kDiffers) << run.err;
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 2u) << run.out;
  EXPECT_EQ(lines[0].rfind("PR02: ", 0), 0u);
}

}  // namespace
