// kx7140ctl capture records the simulated bus into a file; decode gives it back in
// words, as text or JSON, naming the lines it had to skip.

#include <fstream>
#include <set>

#include "ctl_fixture.h"

namespace {

namespace es = ctl::exit_status;
using CaptureCtl = ctltest::CtlTest;
using ctltest::Lines;

TEST_F(CaptureCtl, CaptureRecordsTheBusAndDecodeTellsEachLine) {
  ASSERT_TRUE(StartSim());
  const std::string file = Path("bus.kxcap");
  const auto run = OnSim({"capture", file, "--seconds", "1"});
  ASSERT_EQ(run.status, es::kDone) << run.err;
  EXPECT_TRUE(run.ms >= 900 && run.ms < 2500) << run.ms;
  ASSERT_EQ(run.out.rfind("capture: ", 0), 0u) << run.out;
  const std::size_t lines = std::stoul(run.out.substr(9));
  EXPECT_GT(lines, 100u) << "a second of a busy bus";

  const auto json = Run({"decode", file, "--json"});
  ASSERT_EQ(json.status, es::kDone) << json.err;
  const auto objects = Lines(json.out);
  ASSERT_EQ(objects.size(), lines);
  std::set<std::string> devices;
  bool sent = false;
  for (const std::string& line : objects) {
    const QJsonObject o = ctltest::JsonLine(line);
    devices.insert(o.value("device").toString().toStdString());
    sent = sent || o.value("direction").toString() == "T";
    EXPECT_TRUE(o.value("line").toString().startsWith(':')) << line;
  }
  EXPECT_TRUE(sent) << "the PC's own frames are in the file";
  for (const char* d : {"CPU", "K1", "K8", "GPS", "DED", "PC"}) EXPECT_TRUE(devices.contains(d)) << d;
}

TEST_F(CaptureCtl, DecodeSkipsAndNamesBadLinesAndRefusesAFileThatIsNotACapture) {
  const std::string file = Path("hand.kxcap");
  std::ofstream(file, std::ios::binary)
      << "KX7140 yakalama 1 baslangic=2024-01-01T08:00:04+03:00 port=x program=1\r\n"
      << "0.000100 R :10030000ED\r\n"
      << "bozuk\r\n"
      << "0.000200 R :22CE0002000000\r\n"
      << "0.000300 T :10\\xFF\r\n";
  const auto json = Run({"decode", file, "--json"});
  ASSERT_EQ(json.status, es::kDone);
  const auto objects = Lines(json.out);
  ASSERT_EQ(objects.size(), 3u);
  EXPECT_NE(objects[1].find("\"refused\":true"), std::string::npos) << objects[1];
  EXPECT_NE(objects[2].find("\"line\":\":10\\u00FF\""), std::string::npos) << objects[2];
  EXPECT_NE(json.err.find("1 bad lines skipped\n  satır 3: "), std::string::npos) << json.err;
  EXPECT_EQ(Run({"decode", file}).status, es::kDone);  // the text form takes the same lines

  std::ofstream(Path("project.prj")) << "not a capture\r\n";
  for (const char* name : {"project.prj", "none.kxcap"})
    EXPECT_EQ(Run({"decode", Path(name)}).status, es::kFile);
}

}  // namespace
