// kx7140ctl check, diff and verify: what they list, in which form, and the exit
// status a script reads.

#include <fstream>

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

TEST_F(FileCommands, CheckListsTheWarningsWithTheJunctionBesideTheFile) {
  const std::string file = Project("a.prj");
  const CtlRun plain = Run({"check", file});
  EXPECT_EQ(plain.status, es::kDiffers) << plain.err;
  const auto lines = Lines(plain.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(plain.out.find("Grup-1"), std::string::npos);

  program::JunctionData junction;
  program::SetConflict(junction, 1, 2, 5, 5);
  ASSERT_TRUE(persist::JunctionSave(file, junction).ok);
  EXPECT_GT(Lines(Run({"check", file}).out).size(), lines.size()) << "the conflict adds warnings";
  const CtlRun json = Run({"check", "--json", file});
  EXPECT_EQ(json.status, es::kDiffers);
  EXPECT_EQ(json.out.rfind("{\"file\":\"" + file + "\",\"warnings\":[{\"kind\":", 0), 0u) << json.out;
  EXPECT_NE(json.out.find("\"kind\":\"short-intergreen\""), std::string::npos) << json.out;
  EXPECT_EQ(json.out.substr(json.out.size() - 3), "]}\n");

  std::ofstream(file + ".kavsak") << "KX7140 kavsak 1\r\ngrup 99 x\r\n";
  EXPECT_EQ(Run({"check", file}).status, es::kFile);
  EXPECT_EQ(Run({"check", Path("none.prj")}).status, es::kFile);

  auto empty = std::make_unique<program::ProgramImage>();
  ASSERT_TRUE(persist::ProjectSave(Path("empty.prj"), *empty).ok);
  const CtlRun clean = Run({"check", Path("empty.prj")});
  EXPECT_EQ(clean.status, es::kDone);
  EXPECT_EQ(clean.out, "");
}

TEST_F(FileCommands, DiffListsTheDifferencesInTheEditorsTerms) {
  const std::string a = Project("a.prj", 180), b = Project("b.prj", 190);
  const CtlRun differs = Run({"diff", a, b});
  EXPECT_EQ(differs.status, es::kDiffers);
  EXPECT_EQ(differs.out, "PR02: 180 -> 190\n");
  const CtlRun same = Run({"diff", a, a});
  EXPECT_EQ(same.status, es::kDone);
  EXPECT_EQ(same.out, "");
  EXPECT_EQ(Run({"diff", a, Path("none.prj")}).status, es::kFile);
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
