// Every command of kx7140ctl against the simulated controller on a pseudo-terminal,
// with lost replies, a silent bus, and the ways a run goes wrong before it starts.

#include <QDate>
#include <QSerialPort>

#include <fstream>

#include "ctl_fixture.h"
#include "link/controller_link.h"
#include "link/event_log.h"
#include "link/service_commands.h"
#include "link/trend_series.h"
#include "persist/project_file.h"
#include "program/editor_model.h"
#include "program/program_checksum.h"
#include "sim/host/serve_loop.h"
#include "tests/qtlink/pty_pair.h"

namespace {

using ctltest::CtlTest;
using ctltest::ExpectRefused;
using ctltest::Lines;
using qttest::FastBus;
namespace es = ctl::exit_status;

// The fast bus losing replies, and damaging and garbling as many as `damaged` of them.
sim::Options Lossy(double loss, double damaged = 0) {
  sim::Options o = FastBus();
  o.loss = loss;
  o.corrupt = o.noise = damaged;
  return o;
}

std::vector<std::string> ExpectedLog(const program::ProgramImage& memory) {
  std::vector<std::string> lines = bus::DecodeEventLog(memory);
  lines.push_back("Toplam Alarm Sayisi = " + std::to_string(bus::EventLogTotal(memory)));
  return lines;
}

std::vector<std::string> Fields(const std::string& line, char sep) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string f; std::getline(in, f, sep);) fields.push_back(f);
  return fields;
}

// A memory unlike the demo's in every program block, so that a download that missed
// or misplaced one shows.
program::ProgramImage PatternMemory() {
  program::ProgramImage m = sim::DemoMemory();
  for (std::size_t a = 0x1000; a < 0xB000; ++a) m[a] = static_cast<std::uint8_t>(a * 7 + (a >> 8));
  return m;
}

TEST_F(CtlTest, LogPrintsTheWindowsLinesAndTheTotalDespiteLostAndDamagedReplies) {
  ASSERT_TRUE(StartSim(Lossy(0.3, 0.1)));
  const auto run = OnSim({"log"});
  ASSERT_EQ(run.status, es::kDone) << run.err;
  const auto lines = Lines(run.out);
  EXPECT_EQ(lines, ExpectedLog(sim::DemoMemory()));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1], "No:0002(2024/01/01 07:55:00) Alarm: 06-Program yüklendi veya degiştirildi.");
  EXPECT_EQ(lines.back(), "Toplam Alarm Sayisi = 3");
  EXPECT_EQ(run.err, "");  // no terminal, no progress bar
  EXPECT_GT(StopSim().Count().repliesLost, 0u);
}

TEST_F(CtlTest, UploadSavesTheWholeMemoryDespiteLostReplies) {
  ASSERT_TRUE(StartSim(Lossy(0.1)));
  const std::string file = Path("up.prj");
  const auto run = OnSim({"upload", file});
  ASSERT_EQ(run.status, es::kDone) << run.err;
  EXPECT_EQ(run.out, "upload: 512 blocks read into " + file + "\n");

  const sim::Controller& c = StopSim();
  EXPECT_GT(c.Count().repliesLost, 0u);
  auto image = std::make_unique<program::ProgramImage>();
  ASSERT_TRUE(persist::ProjectLoad(file, *image, *std::make_unique<program::EditorModel>()).ok);
  EXPECT_TRUE(*image == c.Memory());
}

TEST_F(CtlTest, DownloadWritesEveryBlockWithItsChecksumAndEndsOnce) {
  ASSERT_TRUE(StartSim(Lossy(0.2)));
  program::ProgramImage wanted = PatternMemory();
  const std::string file = Path("in.prj");
  ASSERT_TRUE(persist::ProjectSave(file, wanted).ok);

  const auto run = OnSim({"download", file}, /*progress=*/true);
  ASSERT_EQ(run.status, es::kDone) << run.err;
  EXPECT_EQ(run.out, "download: 353 blocks confirmed, download end sent\n");
  EXPECT_EQ(run.err.rfind("\rdownload [", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("] 100/353"), std::string::npos);
  EXPECT_TRUE(run.err.ends_with("[" + std::string(30, '#') + "] 353/353\n")) << run.err;

  // The controller checks the sum when the download ends and logs a good program;
  // reading the log also makes sure the end command has been heard.
  const auto log = OnSim({"log"});
  ASSERT_EQ(log.status, es::kDone) << log.err;
  const auto lines = Lines(log.out);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_TRUE(lines[lines.size() - 2].ends_with("Alarm: 06-Program yüklendi veya degiştirildi.")) << log.out;

  const sim::Controller& c = StopSim();
  program::WriteProgramChecksum(wanted);
  EXPECT_TRUE(std::equal(wanted.begin(), wanted.begin() + 0xB080, c.Memory().begin()));
  EXPECT_EQ(c.CommandCount(1006), 1u);
  EXPECT_EQ(c.CommandCount(1010), 1u);
  EXPECT_EQ(c.Count().checksumFailures, 0u);
  EXPECT_GT(c.Count().repliesLost, 0u);
}

TEST_F(CtlTest, SystemDownloadSendsStepOneOfRecordZeroThenResetsTheCpu) {
  ASSERT_TRUE(StartSim());
  program::ProgramImage project = sim::DemoMemory();
  project[0x0F90] = 7;  // record 0 step 1: duration, then the sixteen state bytes
  for (std::size_t k = 0; k < 16; ++k) project[0x0FA0 + k] = static_cast<std::uint8_t>(0x12 + k);
  const std::string file = Path("sys.prj");
  ASSERT_TRUE(persist::ProjectSave(file, project).ok);

  const auto run = OnSim({"download-system", file});
  ASSERT_EQ(run.status, es::kDone) << run.err;
  EXPECT_EQ(run.out, "download-system: system memory confirmed, Reset CPU sent\n");
  const auto log = OnSim({"log"});
  EXPECT_NE(log.out.find("Alarm: 01-CPU Resetlendi."), std::string::npos) << log.out;

  const sim::Controller& c = StopSim();
  EXPECT_EQ(c.Memory()[0x0F90], 7);
  EXPECT_TRUE(std::equal(project.begin() + 0x0FA0, project.begin() + 0x0FB0, c.Memory().begin() + 0x0FA0));
  EXPECT_EQ(c.Count().systemWrites, 1u);
  EXPECT_EQ(c.CommandCount(1001), 1u);
  EXPECT_EQ(c.Count().blocksWritten, 0u);
}

TEST_F(CtlTest, SetClockIsRepeatedUntilConfirmed) {
  sim::Options o = Lossy(0.5);
  o.clockStart = {2001, 2, 3, 4, 5, 6, 6};
  ASSERT_TRUE(StartSim(o));
  const auto run = OnSim({"set-clock"});
  ASSERT_EQ(run.status, es::kDone) << run.err;
  EXPECT_EQ(run.out, "set-clock: the controller confirmed the clock setting\n");

  const sim::Controller& c = StopSim();
  const bus::DateTime t = c.ClockAt(sim::host::SteadyMs());
  const QDate today = QDate::currentDate();
  EXPECT_EQ(QDate(t.year, t.month, t.day), today);
  EXPECT_EQ(t.isoWeekday, today.dayOfWeek());
  EXPECT_GE(c.Count().clockSets, 1u);
}

class CtlServiceTest : public CtlTest, public ::testing::WithParamInterface<int> {};

TEST_P(CtlServiceTest, EachServiceCommandGoesOutExactlyOnce) {
  const int index = GetParam();
  ASSERT_TRUE(StartSim());
  const bus::ServiceCommand& command = bus::kServiceCommands[static_cast<std::size_t>(index)];
  const auto run = OnSim({"service", command.word});
  ASSERT_EQ(run.status, es::kDone) << run.err;
  EXPECT_EQ(run.out, std::string("service: ") + command.caption + " sent\n");
  // Reading the log afterwards makes sure the command has been heard.
  const auto log = OnSim({"log"});
  ASSERT_EQ(log.status, es::kDone) << log.err;
  if (index == 2) {
    EXPECT_EQ(Lines(log.out), std::vector<std::string>{"Toplam Alarm Sayisi = 0"});
  }

  const sim::Controller& c = StopSim();
  for (int code = 1001; code <= 1010; ++code)
    EXPECT_EQ(c.CommandCount(code), code == command.code ? 1u : 0u) << code;
}

INSTANTIATE_TEST_SUITE_P(AllFive, CtlServiceTest, ::testing::Range(0, 5));

TEST_F(CtlTest, WatchPrintsTheImageOnceASecondAsTextOrJsonAndEveryTurnAsCsv) {
  ASSERT_TRUE(StartSim());
  const auto json = OnSim({"watch", "--seconds", "2", "--json"});
  ASSERT_EQ(json.status, es::kDone) << json.err;
  EXPECT_GE(json.ms, 1900);
  EXPECT_LT(json.ms, 3500);
  const auto lines = Lines(json.out);
  ASSERT_EQ(lines.size(), 2u) << json.out;
  for (const std::string& line : lines) {
    const QJsonObject o = ctltest::JsonLine(line);
    EXPECT_TRUE(o.value("clock").toString().startsWith("01.01.2024 08:00:0")) << line;
    EXPECT_EQ(o.value("cpu").toObject().value("state").toInt(), 2) << line;
  }
  const auto text = OnSim({"watch", "--seconds", "1"});
  ASSERT_EQ(text.status, es::kDone) << text.err;
  EXPECT_EQ(text.out.rfind("clock     01.01.2024 08:00:0", 0), 0u) << text.out;
  EXPECT_NE(text.out.find("\ncpu       state 2 Run"), std::string::npos) << text.out;

  // The trend columns, one row per PC turn, in CR LF lines as the saved file has them.
  const auto csv = OnSim({"watch", "--seconds", "1", "--csv"});
  ASSERT_EQ(csv.status, es::kDone) << csv.err;
  std::vector<std::string> rows = Lines(csv.out);
  ASSERT_GE(rows.size(), 2u + 5u) << csv.out;
  for (std::string& l : rows) {
    ASSERT_TRUE(l.ends_with('\r'));
    l.pop_back();
  }
  // The system's separator: a comma one puts semicolons between the fields.
  const char decimal = rows[0].back();
  const char sep = decimal == ',' ? ';' : ',';
  EXPECT_EQ(rows[0], std::string("\xEF\xBB\xBFOndalık ayırıcı") + sep + decimal);
  const std::vector<std::string> header = Fields(rows[1], sep);
  ASSERT_EQ(header.size(), std::size_t{3 + bus::kValueSeries + bus::kStepSeries});
  const std::size_t cpuState = 3 + bus::kValueSeries + bus::kCpuStateStep;
  EXPECT_EQ(header[cpuState], "CPU durum");
  for (std::size_t i = 2; i < rows.size(); ++i) {
    const std::vector<std::string> row = Fields(rows[i], sep);
    ASSERT_EQ(row.size(), header.size()) << rows[i];
    EXPECT_EQ(row[2], "1") << "one PC turn a row";
    EXPECT_EQ(row[0].size(), std::string("2024-01-01 08:00:04.200").size()) << row[0];
  }
  EXPECT_EQ(Fields(rows.back(), sep)[cpuState], "2") << "the simulated CPU runs";
}

TEST_F(CtlTest, SilentBusEndsEveryKindOfCommandAfterTheTimeout) {
  const qttest::PtyPair pty(Path("ttySilent"));  // a cable to nowhere
  ASSERT_TRUE(pty.ok());
  const std::string device = pty.Link().string();
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"log"}, {"set-clock"}, {"service", "reset-cpu"}, {"watch"}}) {
    std::vector<std::string> args = {"--port", device, "--timeout", "0.4"};
    args.insert(args.end(), command.begin(), command.end());
    const auto run = Run(args);
    ExpectRefused(run, es::kNoTurn, "no PC turn for 0.4 s on " + device);
    EXPECT_GE(run.ms, 400);
    EXPECT_LT(run.ms, 1500);
  }
}

TEST_F(CtlTest, ControllerThatNeverConfirmsEndsAfterTheTimeout) {
  ASSERT_TRUE(StartSim(Lossy(1.0)));
  ExpectRefused(OnSim({"--timeout", "0.5", "set-clock"}), es::kNotConfirmed,
                "PC turns keep coming, but the controller has not confirmed the clock setting within 0.5 s");
  const auto log = OnSim({"--timeout", "0.5", "log"});
  ExpectRefused(log, es::kNotConfirmed, "not confirmed block 0xF000");
  EXPECT_EQ(log.out, "");
  // Commands the controller never confirms need only the turns.
  EXPECT_EQ(OnSim({"--timeout", "0.5", "service", "reset-rtc"}).status, es::kDone);
}

TEST_F(CtlTest, DevicePulledDuringARunIsAPortError) {
  ASSERT_TRUE(StartSim());
  // A name of our own for the device: a new pty may get the old one's number.
  const std::string device = Path("ttyCtl");
  std::filesystem::create_symlink(Device(), device);
  QElapsedTimer t;
  t.start();
  const std::string file = Path("in.prj");
  ASSERT_TRUE(persist::ProjectSave(file, PatternMemory()).ok);
  bool pulled = false;
  const auto run = Run({"--port", device, "--timeout", "0.5", "download", file}, false, [&] {
    if (!pulled && t.elapsed() > 200) {
      std::string why;
      pulled = m_sim->Replug(why);  // the pty goes away and the program's reads fail
      std::filesystem::remove(device);
    }
    return false;
  });
  ASSERT_TRUE(pulled);
  ExpectRefused(run, es::kPort, "the port " + device + " closed (");
  EXPECT_NE(run.err.find("; the download stopped at block "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(" of 353: the controller may be left with an incomplete program"),
            std::string::npos);
}

TEST_F(CtlTest, InterruptAbandonsATransferAndSaysHowFarItGot) {
  ASSERT_TRUE(StartSim());
  QElapsedTimer t;
  t.start();
  const std::string file = Path("up.prj");
  const auto up = Run({"--port", Device(), "upload", file}, false, [&] { return t.elapsed() > 300; });
  ExpectRefused(up, es::kInterrupted, "interrupted; the read stopped at block ");
  EXPECT_NE(up.err.find(" of 512\n"), std::string::npos) << up.err;
  EXPECT_FALSE(std::filesystem::exists(file));
  ASSERT_TRUE(persist::ProjectSave(file, PatternMemory()).ok);
  t.restart();
  const auto down = Run({"--port", Device(), "download", file}, false, [&] { return t.elapsed() > 300; });
  ExpectRefused(down, es::kInterrupted, "interrupted; the download stopped at block ");
  // Ending a watch is its normal end.
  EXPECT_EQ(Run({"--port", Device(), "watch"}, false, [] { return true; }).status, es::kDone);
}

TEST_F(CtlTest, BadDeviceOrProjectFileStopsBeforeTheBus) {
  // The device does not exist either: a file error means the file was checked first.
  const std::string noPort = Path("ttyNothing");
  std::ofstream(Path("garbage.prj")) << "this is not a project\r\n";
  std::ofstream(Path("one.prj")) << "P0000:000102030405060708090A0B0C0D0E0F\r\n";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string error;
  } cases[] = {
      {{"log"}, es::kPort, "cannot open " + noPort + ": "},
      {{"download", Path("none.prj")}, es::kFile, "none.prj"},
      {{"download-system", Path("garbage.prj")}, es::kFile, "garbage.prj"},
      {{"upload", Path("no/such/out.prj")}, es::kFile, "no folder"},
      {{"upload", Path("")}, es::kFile, "is a folder, not a project file"},
      {{"download", Path("one.prj")}, es::kFile, "one.prj is not a whole project file (1 of 4096 lines read"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.error);
    std::vector<std::string> args = {"--port", noPort};
    args.insert(args.end(), c.args.begin(), c.args.end());
    ExpectRefused(Run(args), c.status, c.error);
  }
}

TEST_F(CtlTest, BusyDeviceIsAPortErrorAndAnIncompleteProjectGoesDownOnlyWhenAllowed) {
  ASSERT_TRUE(StartSim());
  const std::string odd = Path("odd.prj");
  ASSERT_TRUE(persist::ProjectSave(odd, sim::DemoMemory()).ok);
  std::ofstream(odd, std::ios::app) << "not a line of memory\r\n";
  EXPECT_EQ(OnSim({"download-system", odd}).status, es::kFile);
  const auto run = OnSim({"download-system", "--allow-incomplete", odd});
  EXPECT_EQ(run.status, es::kDone);
  EXPECT_TRUE(run.err.starts_with("kx7140ctl: warning: " + odd + " is not a whole project file")) << run.err;

  QSerialPort other;
  other.setPortName(QString::fromStdString(Device()));
  ASSERT_TRUE(other.open(QIODevice::ReadWrite));
  ExpectRefused(OnSim({"set-clock"}), es::kPort, "cannot open " + Device() + ": ");
}

}  // namespace
