// kx7140ctl check and diff: what they list, in which form, and the exit
// status a script reads.

#include <fstream>

#include "ctl_fixture.h"
#include "persist/junction_file.h"
#include "persist/project_file.h"
#include "program/program_image_codec.h"
#include "program/step_packing.h"

namespace {

namespace es = ctl::exit_status;
using ctltest::CtlRun;

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
  EXPECT_NE(plain.out.find("Grup-1"), std::string::npos);

  program::JunctionData junction;
  program::SetConflict(junction, 1, 2, 5, 5);
  ASSERT_TRUE(persist::JunctionSave(file, junction).ok);
  const CtlRun json = Run({"check", "--json", file});
  EXPECT_EQ(json.status, es::kDiffers);
  EXPECT_EQ(json.out.rfind("{\"file\":\"" + file + "\",\"warnings\":[{\"kind\":", 0), 0u) << json.out;
  EXPECT_NE(json.out.find("\"kind\":\"short-intergreen\""), std::string::npos) << json.out;
  EXPECT_EQ(json.out.substr(json.out.size() - 3), "]}\n");

  std::ofstream(file + ".kavsak") << "KX7140 kavsak 1\r\ngrup 99 x\r\n";
  EXPECT_EQ(Run({"check", file}).status, es::kFile);

  ASSERT_TRUE(persist::ProjectSave(Path("empty.prj"), *std::make_unique<program::ProgramImage>()).ok);
  const CtlRun clean = Run({"check", Path("empty.prj")});
  EXPECT_EQ(std::pair(clean.status, clean.out), std::pair(es::kDone, std::string()));
}

TEST_F(FileCommands, DiffListsTheDifferencesInTheEditorsTerms) {
  const std::string a = Project("a.prj", 180), b = Project("b.prj", 190);
  const CtlRun differs = Run({"diff", a, b}), same = Run({"diff", a, a});
  EXPECT_EQ(std::pair(differs.status, differs.out),
            std::pair(es::kDiffers, std::string("PR02: 180 -> 190\n")));
  EXPECT_EQ(std::pair(same.status, same.out), std::pair(es::kDone, std::string()));
  EXPECT_EQ(Run({"diff", a, Path("none.prj")}).status, es::kFile);
}

}  // namespace
