// Every command of kx7140ctl against the simulated controller on a pseudo-terminal,
// with lost replies, a silent bus, and the ways a run goes wrong before it starts.

#include <QDate>
#include <QSerialPort>

#include <fstream>

#include "ctl_fixture.h"
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

TEST_F(CtlTest, LogAndClockSettingGetThroughLostAndDamagedReplies) {
  sim::Options o = Lossy(0.4, 0.1);
  o.clockStart = {2001, 2, 3, 4, 5, 6, 6};
  ASSERT_TRUE(StartSim(o));
  const auto run = OnSim({"log"});
  ASSERT_EQ(run.status, es::kDone) << run.err;
  std::vector<std::string> lines = bus::DecodeEventLog(sim::DemoMemory());
  lines.push_back("Toplam Alarm Sayisi = 3");
  EXPECT_EQ(Lines(run.out), lines);
  EXPECT_EQ(run.err, "");                   // no terminal, no progress bar
  const auto clock = OnSim({"set-clock"});  // repeated until confirmed
  ASSERT_EQ(clock.status, es::kDone) << clock.err;
  EXPECT_EQ(clock.out, "set-clock: the controller confirmed the clock setting\n");

  const sim::Controller& c = StopSim();
  const bus::DateTime t = c.ClockAt(sim::host::SteadyMs());
  EXPECT_EQ(QDate(t.year, t.month, t.day), QDate::currentDate());
  EXPECT_EQ(t.isoWeekday, QDate::currentDate().dayOfWeek());
  EXPECT_TRUE(c.Count().clockSets >= 1 && c.Count().repliesLost > 0);
}

TEST_F(CtlTest, UploadSavesTheWholeMemoryDespiteLostReplies) {
  ASSERT_TRUE(StartSim(Lossy(0.1)));
  const std::string file = Path("up.prj");
  const auto run = OnSim({"upload", file});
  ASSERT_EQ(run.status, es::kDone) << run.err;
  EXPECT_EQ(run.out, "upload: 512 blocks read into " + file + "\n");

  const sim::Controller& c = StopSim();
  auto image = std::make_unique<program::ProgramImage>();
  ASSERT_TRUE(persist::ProjectLoad(file, *image, *std::make_unique<program::EditorModel>()).ok);
  EXPECT_TRUE(*image == c.Memory() && c.Count().repliesLost > 0);
}

TEST_F(CtlTest, DownloadWritesEveryBlockWithItsChecksumAndEndsOnceAndVerifyListsAChange) {
  ASSERT_TRUE(StartSim(Lossy(0.2)));
  program::ProgramImage wanted = sim::DemoMemory();  // unlike it in every block, so a misplaced one shows
  for (std::size_t a = 0x1000; a < 0xB000; ++a) wanted[a] = static_cast<std::uint8_t>(a * 7 + (a >> 8));
  const std::string file = Path("in.prj");
  ASSERT_TRUE(persist::ProjectSave(file, wanted).ok);

  const auto run = OnSim({"download", file}, /*progress=*/true);
  ASSERT_EQ(run.status, es::kDone) << run.err;
  EXPECT_EQ(run.out, "download: 353 blocks confirmed, download end sent\n");
  EXPECT_EQ(run.err.rfind("\rdownload [", 0), 0u) << run.err;
  EXPECT_TRUE(run.err.ends_with("[" + std::string(30, '#') + "] 353/353\n")) << run.err;

  // Verify lists a changed parameter (and so the checksum); its reads also show the end was heard.
  program::WriteProgramChecksum(wanted);
  wanted[0x0085] ^= 1;  // PR02's low byte
  ASSERT_TRUE(persist::ProjectSave(file, wanted).ok);
  const auto verify = OnSim({"verify", file});
  EXPECT_EQ(verify.status, es::kDiffers) << verify.err;
  EXPECT_TRUE(verify.out.starts_with("PR02: ") && Lines(verify.out).size() == 2) << verify.out;
  wanted[0x0085] ^= 1;
  const sim::Controller& c = StopSim();
  EXPECT_TRUE(std::equal(wanted.begin(), wanted.begin() + 0xB080, c.Memory().begin()));
  EXPECT_EQ(std::make_tuple(c.CommandCount(1006), c.CommandCount(1010), c.Count().checksumFailures),
            std::make_tuple(1u, 1u, 0u));
  EXPECT_GT(c.Count().repliesLost, 0u);
}

TEST_F(CtlTest, EachServiceCommandGoesOutExactlyOnce) {
  for (const bus::ServiceCommand& command : bus::kServiceCommands) {
    SCOPED_TRACE(command.word);
    ASSERT_TRUE(StartSim());
    const auto run = OnSim({"service", command.word});
    ASSERT_EQ(run.status, es::kDone) << run.err;
    EXPECT_EQ(run.out, std::string("service: ") + command.caption + " sent\n");
    const auto log = OnSim({"log"});  // the command has been heard
    ASSERT_EQ(log.status, es::kDone) << log.err;
    EXPECT_TRUE(command.code != bus::service::kResetAlarmList || log.out == "Toplam Alarm Sayisi = 0\n")
        << log.out;
    const sim::Controller& c = StopSim();
    for (int code = 1001; code <= 1010; ++code)
      EXPECT_EQ(c.CommandCount(code), code == command.code ? 1u : 0u) << code;
  }
}

TEST_F(CtlTest, WatchPrintsTheImageOnceASecondAsJsonAndEveryTurnAsCsv) {
  ASSERT_TRUE(StartSim());
  const auto json = OnSim({"watch", "--seconds", "2", "--json"});
  ASSERT_EQ(json.status, es::kDone) << json.err;
  EXPECT_TRUE(json.ms >= 1900 && json.ms < 3500) << json.ms;
  const auto lines = Lines(json.out);
  ASSERT_EQ(lines.size(), 2u) << json.out;
  for (const std::string& line : lines) {
    const QJsonObject o = ctltest::JsonLine(line);
    EXPECT_TRUE(o.value("clock").toString().startsWith("01.01.2024 08:00:0")) << line;
    EXPECT_EQ(o.value("cpu").toObject().value("state").toInt(), 2) << line;
  }
  // The trend file's columns, one row per PC turn, in CR LF lines.
  const auto csv = OnSim({"watch", "--seconds", "1", "--csv"});
  ASSERT_EQ(csv.status, es::kDone) << csv.err;
  const std::vector<std::string> rows = Lines(csv.out);
  ASSERT_GE(rows.size(), 2u + 5u) << csv.out;
  const char sep = rows[0].ends_with(",\r") ? ';' : ',';  // a decimal comma puts semicolons between
  const std::size_t cpuState = 3 + bus::kValueSeries + bus::kCpuStateStep;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const std::vector<std::string> row = Lines(rows[i], sep);
    ASSERT_EQ(row.size(), std::size_t{3 + bus::kValueSeries + bus::kStepSeries}) << rows[i];
    EXPECT_TRUE(row.back().ends_with('\r'));
    if (i == 1) continue;  // the header
    EXPECT_EQ(row[2], "1") << "one PC turn a row";
    EXPECT_EQ(row[0].size(), std::string("2024-01-01 08:00:04.200").size()) << row[0];
  }
  EXPECT_EQ(Lines(rows.back(), sep)[cpuState], "2") << "the simulated CPU runs";
}

TEST_F(CtlTest, SilentBusEndsEveryKindOfCommandAfterTheTimeout) {
  const qttest::PtyPair pty(Path("ttySilent"));  // a cable to nowhere
  ASSERT_GE(pty.master, 0);
  const std::string device = pty.link.string();
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"log"}, {"set-clock"}, {"service", "reset-cpu"}, {"watch"}}) {
    std::vector<std::string> args = {"--port", device, "--timeout", "0.4"};
    args.insert(args.end(), command.begin(), command.end());
    const auto run = Run(args);
    ExpectRefused(run, es::kNoTurn, "no PC turn for 0.4 s on " + device);
    EXPECT_TRUE(run.ms >= 400 && run.ms < 1500) << run.ms;
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
  const std::string device = Path("ttyCtl");  // a new pty may get the old one's number
  std::filesystem::create_symlink(Device(), device);
  const std::string file = Path("in.prj");
  ASSERT_TRUE(persist::ProjectSave(file, sim::DemoMemory()).ok);
  QElapsedTimer t;
  t.start();
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
  EXPECT_NE(run.err.find("; the download stopped at block "), std::string::npos);
  EXPECT_NE(run.err.find(" of 353: the controller may be left with an incomplete program"), std::string::npos)
      << run.err;
}

TEST_F(CtlTest, InterruptAbandonsATransferAndSaysHowFarItGot) {
  ASSERT_TRUE(StartSim());
  QElapsedTimer t;
  t.start();
  const std::string file = Path("up.prj");
  const auto up = Run({"--port", Device(), "upload", file}, false, [&] { return t.elapsed() > 300; });
  ExpectRefused(up, es::kInterrupted, "interrupted; the read stopped at block ");
  EXPECT_TRUE(up.err.find(" of 512\n") != std::string::npos && !std::filesystem::exists(file)) << up.err;
  EXPECT_EQ(Run({"--port", Device(), "watch"}, false, [] { return true; }).status, es::kDone);
}

TEST_F(CtlTest, BadDeviceOrProjectFileStopsBeforeTheBus) {
  // The device does not exist either: a file error means the file was checked first.
  const std::string noPort = Path("ttyNothing");
  std::ofstream(Path("garbage.prj")) << "this is not a project\r\n";
  std::ofstream(Path("one.prj")) << "P0000:000102030405060708090A0B0C0D0E0F\r\n";
  const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
      {{"log"}, es::kPort, "cannot open " + noPort + ": "},
      {{"download", Path("none.prj")}, es::kFile, "none.prj"},
      {{"download-system", Path("garbage.prj")}, es::kFile, "garbage.prj"},
      {{"upload", Path("no/such/out.prj")}, es::kFile, "no folder"},
      {{"upload", Path("")}, es::kFile, "is a folder, not a project file"},
      {{"download", Path("one.prj")}, es::kFile, "one.prj is not a whole project file (1 of 4096 lines read"},
  };
  for (const auto& [command, status, error] : cases) {
    SCOPED_TRACE(command[0] + " " + error);
    std::vector<std::string> args = {"--port", noPort};
    args.insert(args.end(), command.begin(), command.end());
    ExpectRefused(Run(args), status, error);
  }
}

TEST_F(CtlTest, BusyDeviceIsAPortErrorAndAnIncompleteProjectGoesDownOnlyWhenAllowed) {
  ASSERT_TRUE(StartSim());
  const std::string odd = Path("odd.prj");
  ASSERT_TRUE(persist::ProjectSave(odd, sim::DemoMemory()).ok);
  std::ofstream(odd, std::ios::app) << "not a line of memory\r\n";
  EXPECT_EQ(OnSim({"download-system", odd}).status, es::kFile);
  const auto run = OnSim({"download-system", "--allow-incomplete", odd});
  EXPECT_EQ(run.out, "download-system: system memory confirmed, Reset CPU sent\n");
  EXPECT_TRUE(run.err.starts_with("kx7140ctl: warning: " + odd + " is not a whole project file")) << run.err;

  QSerialPort other;
  other.setPortName(QString::fromStdString(Device()));
  ASSERT_TRUE(other.open(QIODevice::ReadWrite));
  ExpectRefused(OnSim({"set-clock"}), es::kPort, "cannot open " + Device() + ": ");
}

}  // namespace
