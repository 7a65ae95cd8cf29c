#include "ctl/ctl_session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <system_error>

#include "ctl/command_goal.h"
#include "ctl/exit_status.h"
#include "ctl/file_commands.h"
#include "ctl/progress_bar.h"
#include "ctl/register_report.h"
#include "ctl/watch_csv.h"
#include "link/bus_recorder.h"
#include "link/event_log.h"
#include "link/link_events.h"
#include "link/link_state.h"
#include "link/register_image.h"
#include "link/shared_tables.h"
#include "persist/file_access.h"
#include "persist/path_text.h"
#include "persist/project_file.h"
#include "persist/project_file_format.h"
#include "program/editor_model.h"
#include "program/image_compare.h"
#include "program/program_image.h"
#include "qtlink/capture_time.h"
#include "qtlink/link_driver.h"
#include "qtlink/qt_clock.h"
#include "qtlink/wall_clock.h"

namespace ctl {
namespace {

constexpr int kMonitorMs = 10;
constexpr std::int64_t kWatchIntervalMs = 1000;
constexpr int kReadBlocks = 512;

std::int64_t SteadyMicros() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::string SecondsText(std::int64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%g s", static_cast<double>(ms) / 1000.0);
  return text;
}

// Why a project file may not go into a controller as it is: a file that sets fewer
// than all 4096 lines, or one the reader had to skip lines of, would send zeros or
// stale bytes in their place. "" when the file is whole.
std::string NotWhole(const std::string& file) {
  std::string text;
  if (!persist::ReadWholeFile(persist::PathFromUtf8(file), text, 16u << 20)) return {};
  auto scratch = std::make_unique<program::ProgramImage>();
  const persist::ProjectParse p = persist::ParseProjectFile(text, *scratch);
  const std::size_t skipped = p.skippedLines + p.badFields + p.bytesPastEnd;
  if (p.lines >= persist::kProjectLineCount && skipped == 0) return {};
  return file + " is not a whole project file (" + std::to_string(p.lines) + " of " +
         std::to_string(persist::kProjectLineCount) + " lines read, " + std::to_string(p.skippedLines) +
         " lines and " + std::to_string(p.badFields + p.bytesPastEnd) +
         " fields skipped); --allow-incomplete sends it anyway";
}

class Session {
 public:
  Session(const CtlOptions& options, const SessionIo& io)
      : m_options(options),
        m_io(io),
        m_tables(std::make_unique<bus::SharedTables>()),
        m_goal(options.command, options.serviceIndex),
        m_progress(io.err, io.progress) {}

  int Run();

 private:
  int Prepare();
  int OpenLink();
  void OnEvent(const bus::LinkEvent& event);
  void Evaluate();
  int Report();
  void End(int status) {
    m_status = status;
    m_loop.exit(status);
  }
  // One line on standard error, after the progress bar's line has been ended.
  int Fail(int status, const std::string& line) {
    m_progress.Finish(false);
    m_io.err << "kx7140ctl: " << line << "\n" << std::flush;
    return status;
  }
  void FailAndEnd(int status, const std::string& line) { End(Fail(status, line)); }
  // What the transfer under way leaves behind if the run ends now, after "; ".
  std::string Unfinished() {
    const bus::TransferStatus& t = Link().Transfer();
    if (t.state != bus::TransferState::Running) return {};
    return "; " + AbandonedText(t.kind, t.blocksDone, t.blocksTotal);
  }
  bus::ControllerLink& Link() { return m_driver->Link(); }

  const CtlOptions& m_options;
  const SessionIo& m_io;
  std::unique_ptr<bus::SharedTables> m_tables;
  // verify: the project the controller's memory is compared with.
  std::unique_ptr<program::ProgramImage> m_project;
  qtlink::QtClock m_clock;
  // The capture command's: it listens from before the link opens.
  std::unique_ptr<bus::BusRecorder> m_recorder;
  std::unique_ptr<qtlink::LinkDriver> m_driver;
  std::unique_ptr<WatchCsv> m_csv;
  bus::LinkEvents::Subscription m_listening;
  CommandGoal m_goal;
  ProgressBar m_progress;
  QEventLoop m_loop;
  QTimer m_monitor;
  QElapsedTimer m_elapsed;
  std::int64_t m_lastTurnMs = 0;
  bool m_started = false;
  std::int64_t m_lastProgressMs = 0;
  std::int64_t m_nextReportMs = kWatchIntervalMs;
  int m_reports = 0;
  int m_status = exit_status::kDone;
};

int Session::Prepare() {
  const Command c = m_options.command;
  if (c == Command::Download || c == Command::DownloadSystem) {
    const persist::IoResult loaded =
        persist::ProjectLoad(m_options.projectFile, m_tables->image, m_tables->model);
    if (!loaded) return Fail(exit_status::kFile, loaded.message);
    if (const std::string why = NotWhole(m_options.projectFile); !why.empty()) {
      if (!m_options.allowIncomplete) return Fail(exit_status::kFile, why);
      m_io.err << "kx7140ctl: warning: " << why.substr(0, why.find(';')) << "\n";
    }
  } else if (c == Command::Capture) {
    auto sink = std::make_unique<bus::FileTextSink>();
    std::string error;
    m_recorder = std::make_unique<bus::BusRecorder>(m_tables->events, nullptr, [] { return SteadyMicros(); });
    if (!sink->Open(m_options.projectFile, false, error) ||
        !m_recorder->StartCapture(
            std::move(sink),
            qtlink::CaptureHeaderNow(m_options.device, QCoreApplication::applicationVersion().toStdString()),
            error)) {
      return Fail(exit_status::kFile, "cannot write " + m_options.projectFile + ": " + error);
    }
  } else if (c == Command::Verify) {
    m_project = std::make_unique<program::ProgramImage>();
    auto model = std::make_unique<program::EditorModel>();
    const persist::IoResult loaded = persist::ProjectLoad(m_options.projectFile, *m_project, *model);
    if (!loaded) return Fail(exit_status::kFile, loaded.message);
  } else if (c == Command::Upload) {
    // Better to learn this now than after reading 64 KB off the bus.
    const std::filesystem::path path = persist::PathFromUtf8(m_options.projectFile);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
      return Fail(exit_status::kFile, m_options.projectFile + " is a folder, not a project file");
    }
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    if (!std::filesystem::is_directory(folder, ec)) {
      return Fail(exit_status::kFile,
                  "cannot save " + m_options.projectFile + ": no folder " + persist::PathToUtf8(folder));
    }
  }
  return exit_status::kDone;
}

int Session::OpenLink() {
  m_driver = std::make_unique<qtlink::LinkDriver>(m_clock, m_tables->ForLink(),
                                                  QString::fromStdString(m_options.device));
  m_listening = m_tables->events.Listen([this](const bus::LinkEvent& e) { OnEvent(e); });
  Link().cmd_RUN();
  // The engine tick opens the port; running it once now tells at once whether the
  // device is there, where the window would go on retrying every 10 ms.
  Link().Timer1Tick();
  if (!Link().PortOpen()) {
    return Fail(exit_status::kPort,
                "cannot open " + m_options.device + ": " + Link().Display().L_Comm_Status);
  }
  // The header only once the port is open: a run that fails at once leaves standard
  // output empty.
  if (m_options.command == Command::Watch && m_options.csv) {
    m_csv = std::make_unique<WatchCsv>(m_io.out, m_clock, qtlink::WallClockNow(m_clock),
                                       qtlink::SystemDecimalSeparator());
    m_csv->Start();
  }
  return exit_status::kDone;
}

void Session::OnEvent(const bus::LinkEvent& event) {
  const std::int64_t now = m_elapsed.elapsed();
  if (std::holds_alternative<bus::PcTurn>(event)) {
    m_lastTurnMs = now;
    if (m_csv) m_csv->Turn(m_tables->regs);
    // The command goes to the link inside the first turn, so that this very turn
    // carries its first frame.
    if (!m_started && m_status == exit_status::kDone) {
      m_started = true;
      m_lastProgressMs = now;
      if (!m_goal.Start(Link())) {
        FailAndEnd(exit_status::kPort, "the port " + m_options.device + " is not open");
      }
    }
    return;
  }
  if (std::holds_alternative<bus::LineReceived>(event) || std::holds_alternative<bus::FrameWritten>(event) ||
      std::holds_alternative<bus::RegistersStored>(event)) {
    return;  // the idle poll is not progress
  }
  m_lastProgressMs = now;
  if (const auto* started = std::get_if<bus::TransferStarted>(&event)) {
    m_progress.Show({started->kind, 0, started->blocksTotal});
  } else if (const auto* block = std::get_if<bus::BlockConfirmed>(&event)) {
    m_progress.Show({block->kind, block->blocksDone, block->blocksTotal});
  }
  m_goal.OnEvent(event);
}

void Session::Evaluate() {
  const std::int64_t now = m_elapsed.elapsed();

  const bool watching = m_options.command == Command::Watch || m_options.command == Command::Capture;
  if (m_io.interrupted && m_io.interrupted()) {
    if (watching) return End(exit_status::kDone);
    return FailAndEnd(exit_status::kInterrupted, "interrupted" + Unfinished());
  }

  const GoalCheck& check = m_goal.Check();
  if (check.kind == GoalCheck::Kind::Done) return End(exit_status::kDone);
  if (check.kind == GoalCheck::Kind::Failed) return FailAndEnd(exit_status::kNotConfirmed, check.why);

  if (m_options.command == Command::Watch && now >= m_nextReportMs) {
    // With --csv the rows go out at the turns; the seconds still count.
    if (!m_csv) {
      m_io.out << (m_options.json ? RegisterJson(m_tables->regs) + "\n" : RegisterText(m_tables->regs) + "\n")
               << std::flush;
    }
    m_nextReportMs += kWatchIntervalMs;
    ++m_reports;
    if (m_options.watchSeconds > 0 && m_reports >= m_options.watchSeconds) {
      return End(exit_status::kDone);
    }
  }

  if (m_recorder) {
    if (const auto failed = m_recorder->Tick()) {
      return FailAndEnd(exit_status::kFile, "the capture stopped: " + *failed);
    }
    if (m_options.watchSeconds > 0 && now >= std::int64_t{m_options.watchSeconds} * 1000) {
      return End(exit_status::kDone);
    }
  }

  const std::int64_t timeout = m_options.timeoutMs;
  if (now - m_lastTurnMs >= timeout) {
    if (!Link().PortOpen()) {
      return FailAndEnd(exit_status::kPort,
                        "the port " + m_options.device + " closed (" + Link().Display().L_Comm_Status +
                            ") and no PC turn came for " + SecondsText(timeout) + Unfinished());
    }
    return FailAndEnd(exit_status::kNoTurn, "no PC turn for " + SecondsText(timeout) + " on " +
                                                m_options.device +
                                                "; is the controller connected and running?");
  }
  // A closed port is told by the turn time-out above, at most a turn later.
  if (m_started && !watching && now - m_lastProgressMs >= timeout && Link().PortOpen()) {
    return FailAndEnd(
        exit_status::kNotConfirmed,
        "PC turns keep coming, but " + m_goal.Awaiting(m_tables->shared) + " within " + SecondsText(timeout));
  }
}

int Session::Report() {
  std::ostream& out = m_io.out;
  switch (m_options.command) {
    case Command::Upload: {
      const persist::IoResult saved = persist::ProjectSave(m_options.projectFile, m_tables->image);
      if (!saved) return Fail(exit_status::kFile, saved.message);
      out << "upload: " << kReadBlocks << " blocks read into " << m_options.projectFile << "\n";
      break;
    }
    case Command::Download:
      out << "download: " << m_tables->shared.TransferEnd / 128 << " blocks confirmed, download end sent\n";
      break;
    case Command::DownloadSystem: out << "download-system: system memory confirmed, Reset CPU sent\n"; break;
    case Command::Log:
      for (const std::string& line : bus::DecodeEventLog(m_tables->image)) out << line << "\n";
      out << "Toplam Alarm Sayisi = " << bus::EventLogTotal(m_tables->image) << "\n";
      break;
    case Command::SetClock: out << "set-clock: the controller confirmed the clock setting\n"; break;
    case Command::Service: out << "service: " << m_goal.ServiceCaption() << " sent\n"; break;
    case Command::Capture: {
      const std::uint64_t lines = m_recorder->CapturedLines();
      if (const std::string error = m_recorder->StopCapture(); !error.empty()) {
        return Fail(exit_status::kFile, "the capture stopped: " + error);
      }
      out << "capture: " << lines << " lines written to " << m_options.projectFile << "\n";
      break;
    }
    case Command::Verify: return PrintDifferences(program::VerifyDownload(*m_project, m_tables->image), out);
    case Command::Watch:
    case Command::Decode:
    case Command::Check:
    case Command::Diff:
    case Command::None: break;
  }
  out << std::flush;
  return exit_status::kDone;
}

int Session::Run() {
  if (const int prepared = Prepare(); prepared != exit_status::kDone) return prepared;
  if (const int opened = OpenLink(); opened != exit_status::kDone) return opened;
  m_elapsed.start();
  m_monitor.setTimerType(Qt::PreciseTimer);
  m_monitor.setInterval(kMonitorMs);
  QObject::connect(&m_monitor, &QTimer::timeout, &m_monitor, [this] { Evaluate(); });
  m_monitor.start();
  m_loop.exec();
  m_monitor.stop();
  // The outcome is decided; what the link says while it stops changes nothing.
  m_listening.Cancel();
  // The verify read's image goes with the link; the session's tables are free to hold it.
  if (m_options.command == Command::Verify) m_tables->image = Link().VerifiedImage();
  // The port closes with the driver; what was written has been flushed to it.
  m_driver.reset();
  if (m_status != exit_status::kDone) return m_status;
  m_progress.Finish(true);
  return Report();
}

}  // namespace

int RunCommand(const CtlOptions& options, const SessionIo& io) {
  Session session(options, io);
  return session.Run();
}

}  // namespace ctl
