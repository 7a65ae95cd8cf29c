#include "ctl/command_goal.h"

#include <cstdio>

#include "link/controller_link.h"
#include "link/link_state.h"

namespace ctl {
namespace {

using Kind = GoalCheck::Kind;
using Sent = OnceSentWatch::State;

constexpr std::int32_t kMemoryEnd = 65535;

std::int16_t FirstWatched(Command command, int serviceIndex) {
  switch (command) {
    case Command::Service: return static_cast<std::int16_t>(bus::request::kResetCpu + serviceIndex);
    case Command::Download: return bus::request::kDownloadStart;
    case Command::DownloadSystem: return bus::request::kResetCpu;
    default: return -1;
  }
}

std::string BlockText(std::int32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(address & 0xFFFF));
  return text;
}

GoalCheck Pending() { return {}; }
GoalCheck Done() { return {Kind::Done, {}}; }
GoalCheck Failed(std::string why) { return {Kind::Failed, std::move(why)}; }

}  // namespace

CommandGoal::CommandGoal(Command command, int serviceIndex)
    : m_command(command),
      m_serviceIndex(serviceIndex),
      m_first(FirstWatched(command, serviceIndex)),
      m_second(bus::request::kDownloadEnd) {}

std::string CommandGoal::ServiceCaption() const {
  if (m_serviceIndex < 0 || m_serviceIndex >= static_cast<int>(std::size(kServiceNames))) return "?";
  return kServiceNames[static_cast<std::size_t>(m_serviceIndex)].caption;
}

bool CommandGoal::Start(bus::ControllerLink& link) {
  switch (m_command) {
    case Command::Upload: return link.PGM_Upload();
    case Command::Log: return link.BTN_Hata_Oku();
    case Command::Download:
      link.SetMemoryListIndex(1);
      link.PGM_Download(1);
      return true;
    case Command::DownloadSystem:
      // The memory list's index is also the record whose step 1 goes down.
      link.SetMemoryListIndex(0);
      link.PGM_Download(0);
      return true;
    case Command::SetClock: link.RTC_Esitle(); return true;
    case Command::Service: return link.Service_cmd(m_serviceIndex);
    case Command::Watch:
    case Command::None: return true;
  }
  return true;
}

void CommandGoal::BeforeTurn(const bus::ControllerLink& link, const bus::LinkShared& shared) {
  m_first.BeforeTurn(link, shared.RequestCode);
  if (m_command == Command::Download) m_second.BeforeTurn(link, shared.RequestCode);
}

GoalCheck CommandGoal::Check(const bus::ControllerLink& link, const bus::LinkShared& shared) {
  m_first.AfterEvent(link);
  m_second.AfterEvent(link);
  const std::int16_t code = shared.RequestCode;
  switch (m_command) {
    case Command::Upload:
    case Command::Log:
      if (code == bus::request::kBlockRead) return Pending();
      if (shared.TransferAddress >= kMemoryEnd) return Done();
      return Failed("the read was abandoned at block " + BlockText(shared.TransferAddress));

    case Command::SetClock:
      // Only the acknowledgement moves the request on.
      return code == bus::request::kClockSet ? Pending() : Done();

    case Command::Service:
      if (m_first.state() == Sent::Sent) return Done();
      if (m_first.state() == Sent::Overtaken) {
        return Failed(ServiceCaption() + " was overtaken by the next PC turn before it could be sent");
      }
      if (m_first.state() == Sent::Built || code == bus::request::kResetCpu + m_serviceIndex) {
        return Pending();
      }
      return Failed(ServiceCaption() + " was abandoned before it was sent");

    case Command::DownloadSystem:
      if (m_first.state() == Sent::Sent) return Done();
      if (m_first.state() == Sent::Overtaken) {
        return Failed("the system memory was confirmed, but Reset CPU was overtaken by the next "
                      "PC turn before it could be sent");
      }
      if (code == bus::request::kSystemDownload || code == bus::request::kResetCpu ||
          m_first.state() == Sent::Built) {
        return Pending();
      }
      return Failed("the system memory download was abandoned");

    case Command::Download:
      if (m_first.state() == Sent::Overtaken) {
        return Failed("the download start was overtaken by the next PC turn before it could be "
                      "sent");
      }
      if (m_second.state() == Sent::Overtaken) {
        return Failed("every block was confirmed, but the download end was overtaken by the next "
                      "PC turn before it could be sent");
      }
      if (m_second.state() == Sent::Sent) return Done();
      if (code == bus::request::kDownloadStart || code == bus::request::kBlockWrite ||
          code == bus::request::kDownloadEnd || m_second.state() == Sent::Built) {
        return Pending();
      }
      return Failed("the download was abandoned at block " + BlockText(shared.TransferAddress));

    case Command::Watch:
    case Command::None:
      return Pending();
  }
  return Pending();
}

std::string CommandGoal::Awaiting(const bus::LinkShared& shared) const {
  switch (m_command) {
    case Command::Upload:
    case Command::Log:
    case Command::Download:
      if (shared.RequestCode == bus::request::kBlockRead ||
          shared.RequestCode == bus::request::kBlockWrite) {
        return "the controller has not confirmed block " + BlockText(shared.TransferAddress);
      }
      return "the download start or end has not been sent";
    case Command::SetClock: return "the controller has not confirmed the clock setting";
    case Command::DownloadSystem:
      if (shared.RequestCode == bus::request::kSystemDownload) {
        return "the controller has not confirmed the system memory write";
      }
      return "Reset CPU has not been sent";
    case Command::Service: return ServiceCaption() + " has not been sent";
    case Command::Watch:
    case Command::None: return "nothing has happened";
  }
  return {};
}

}  // namespace ctl
