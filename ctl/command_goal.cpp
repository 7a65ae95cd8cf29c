#include "ctl/command_goal.h"

#include <cstdio>

#include "link/controller_link.h"
#include "link/link_state.h"
#include "link/service_commands.h"

namespace ctl {
namespace {

using Kind = GoalCheck::Kind;

bus::TransferKind TransferOf(Command command) {
  switch (command) {
    case Command::Upload: return bus::TransferKind::Upload;
    case Command::Verify: return bus::TransferKind::Verify;
    case Command::Log: return bus::TransferKind::LogRead;
    case Command::Download: return bus::TransferKind::ProgramDownload;
    case Command::DownloadSystem: return bus::TransferKind::SystemDownload;
    default: return bus::TransferKind::None;
  }
}

std::string BlockText(std::int32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(address & 0xFFFF));
  return text;
}

}  // namespace

std::string AbandonedText(bus::TransferKind kind, int blocksDone, int blocksTotal) {
  const std::string reached =
      " at block " + std::to_string(blocksDone) + " of " + std::to_string(blocksTotal);
  switch (kind) {
    case bus::TransferKind::ProgramDownload:
      return "the download stopped" + reached +
             ": the controller may be left with an incomplete program; run the download again";
    case bus::TransferKind::SystemDownload:
      return "the system memory download stopped before Reset CPU was sent";
    case bus::TransferKind::Upload:
    case bus::TransferKind::Verify:
    case bus::TransferKind::LogRead: return "the read stopped" + reached;
    case bus::TransferKind::None: break;
  }
  return "stopped";
}

std::string CommandGoal::ServiceCaption() const {
  if (m_serviceIndex < 0 || m_serviceIndex >= static_cast<int>(bus::kServiceCommands.size())) return "?";
  return bus::kServiceCommands[static_cast<std::size_t>(m_serviceIndex)].caption;
}

bool CommandGoal::Start(bus::ControllerLink& link) {
  switch (m_command) {
    case Command::Upload: return link.PGM_Upload();
    case Command::Verify: return link.PGM_Verify();
    case Command::Log: return link.BTN_Hata_Oku();
    case Command::Download: link.PGM_Download(1); return true;
    // The memory list's index is also the record whose step 1 goes down.
    case Command::DownloadSystem: link.PGM_Download(0); return true;
    case Command::SetClock: link.RTC_Esitle(); return true;
    case Command::Service: return link.Service_cmd(m_serviceIndex);
    case Command::Watch:
    case Command::Capture:
    case Command::Decode:
    case Command::Check:
    case Command::Diff:
    case Command::None: return true;
  }
  return true;
}

void CommandGoal::OnEvent(const bus::LinkEvent& event) {
  if (m_check.kind != Kind::Pending) return;
  if (const auto* ended = std::get_if<bus::TransferEnded>(&event)) {
    OnTransferEnded(*ended);
  } else if (std::holds_alternative<bus::ClockSetConfirmed>(event)) {
    if (m_command == Command::SetClock) m_check = {Kind::Done, {}};
  } else if (const auto* sent = std::get_if<bus::CommandSent>(&event)) {
    if (m_command == Command::Service && sent->code == bus::service::kResetCpu + m_serviceIndex) {
      m_check = {Kind::Done, {}};
    }
  }
}

void CommandGoal::OnTransferEnded(const bus::TransferEnded& ended) {
  if (ended.kind != TransferOf(m_command)) return;
  m_check = ended.completed
                ? GoalCheck{Kind::Done, {}}
                : GoalCheck{Kind::Failed, AbandonedText(ended.kind, ended.blocksDone, ended.blocksTotal)};
}

std::string CommandGoal::Awaiting(const bus::LinkShared& shared) const {
  switch (m_command) {
    case Command::Upload:
    case Command::Verify:
    case Command::Log:
    case Command::Download:
      return "the controller has not confirmed block " + BlockText(shared.TransferAddress);
    case Command::SetClock: return "the controller has not confirmed the clock setting";
    case Command::DownloadSystem: return "the controller has not confirmed the system memory write";
    case Command::Service: return ServiceCaption() + " has not been sent";
    case Command::Watch:
    case Command::Capture:
    case Command::Decode:
    case Command::Check:
    case Command::Diff:
    case Command::None: return "nothing has happened";
  }
  return {};
}

}  // namespace ctl
