#include "link/controller_link.h"

#include "link/bus_protocol.h"
#include "link/port_events.h"
#include "link/service_commands.h"
#include "program/program_checksum.h"

namespace bus {
namespace {
constexpr int kUploadBlocks = 65536 / kBlockBytes;
constexpr int kLogBlocks = static_cast<int>(65536 - program::kEventLogAddress) / kBlockBytes;
}  // namespace

ControllerLink::ControllerLink(SerialPort& port, const Clock& clock, LinkTables tables)
    : m_port(port),
      m_clock(clock),
      m_tables(tables),
      m_transfers(tables.events, clock),
      m_engine(tables.shared, clock),
      m_decoder({tables.regs, tables.shared, tables.image, *m_verified, m_display}, clock, tables.events,
                m_transfers) {
  m_decoder.onPcTurn = [this] { PcTurn(); };
  m_display.Label1 = std::to_string(m_tables.shared.PortNumber);
  if (m_tables.shared.InterruptedDownloadBlocks >= 0) {
    m_display.Warning = InterruptedDownloadText(m_tables.shared.InterruptedDownloadBlocks,
                                                m_tables.shared.TransferEnd / kBlockBytes);
  }
  m_port.SetHandlers({[this] { OnReceive(); },
                      [this](PortFault f, const std::string& text) { OnPortFault(f, text); },
                      [this](int code) { OnCommEvent(code); }});
  Select();
  m_display.PortDevice = m_port.DeviceName();
}

ControllerLink::~ControllerLink() {
  m_port.SetHandlers({});
  Stop();
}

void ControllerLink::SetStatus(std::string text) {
  if (m_display.L_Comm_Status != text) {
    m_display.L_Comm_Status = std::move(text);
    ++m_display.version;
  }
}

void ControllerLink::ShowWarning(std::string text) {
  if (m_display.Warning != text) {
    m_display.Warning = std::move(text);
    ++m_display.version;
  }
}

std::string ControllerLink::OpenText() const { return "Port açık: " + m_port.DeviceName(); }

void ControllerLink::RefreshPortState() {
  const bool open = m_port.IsOpen();
  std::string device = m_port.DeviceName();
  if (open != m_display.PortOpen || device != m_display.PortDevice) {
    m_display.PortOpen = open;
    m_display.PortDevice = std::move(device);
    ++m_display.version;
  }
}

void ControllerLink::Select() {
  // Finding the device behind a number lists the system's serial devices, which is
  // far too dear for every tick.
  m_port.Select(m_tables.shared.PortNumber);
  m_lastSelectMs = m_clock.MonotonicMs();
}

void ControllerLink::OpenOrClose() {
  if (m_linkRunning && !m_port.IsOpen()) {
    OpenPort();
  } else if (!m_linkRunning && m_port.IsOpen()) {
    m_port.Close();
  }
  RefreshPortState();
}

void ControllerLink::OpenPort() {
  const std::int64_t now = m_clock.MonotonicMs();
  // A missing device may turn up under the number (an adapter plugged in).
  if (m_openFailed && now - m_lastSelectMs >= kReselectMs) Select();
  m_port.SetLineSettings(kLineSettings);
  const PortResult opened = m_port.Open();
  if (!opened.ok) {
    m_openFailed = true;
    SetStatus(opened.message);
    return;
  }
  m_openFailed = false;
  // What waited in the device from before belongs to turns that are over: answering
  // them would put a second frame into the controller's next turn.
  m_port.DiscardInput();
  m_cutter.RxBuffer.clear();
  m_engine.DropFrame();
  m_lastTurnMs = now;
  m_silenceShown = false;
  m_noteShown = false;
  SetStatus(OpenText());
  const PortResult rate = m_port.SetBaudRate(kWorkingRate);
  if (!rate.ok) SetStatus(rate.message);
}

void ControllerLink::NoticeSilence() {
  if (m_silenceShown || m_noteShown || !m_port.IsOpen()) return;
  if (m_clock.MonotonicMs() - m_lastTurnMs >= kSilenceMs) {
    m_silenceShown = true;
    SetStatus(kSilenceText);
  }
}

void ControllerLink::Timer1Tick() {
  OpenOrClose();
  NoticeSilence();
  TrySend();
}

void ControllerLink::TrySend() {
  // A frame only ever answers a turn heard on the open port.
  if (!m_linkRunning || !m_engine.FrameReady() || !m_port.IsOpen()) return;
  const std::int64_t now = m_clock.MonotonicMs();
  if (m_sentOnce && now - m_lastSendMs < kSendGapMs) return;
  const std::string& frame = m_engine.TxFrame();
  std::string wire;
  wire.reserve(frame.size() + 2);
  wire.append(frame).append("\r\n");
  const PortResult written = m_port.Write(wire);
  if (!written.ok) {
    SetStatus(written.message);
    return;
  }
  const SentRequest sent = m_engine.FrameSent();
  m_sentOnce = true;
  m_lastSendMs = now;
  ++m_framesSent;
  std::string shown = frame + " (" + std::to_string(frame.size() + 2) + ")";
  if (m_display.MB_TX_LBL != shown) {
    m_display.MB_TX_LBL = std::move(shown);
    ++m_display.version;
  }
  m_tables.events.Emit(FrameWritten{frame, sent.request, sent.address});
  if (sent.once) OnceSent(sent.request);
}

void ControllerLink::OnceSent(std::int16_t code) {
  m_tables.events.Emit(CommandSent{code});
  if (code == request::kDownloadEnd && m_transfers.Running(TransferKind::ProgramDownload)) {
    m_tables.shared.InterruptedDownloadBlocks = -1;
    ShowWarning({});
    m_transfers.Complete();
  } else if (code == service::kResetCpu && m_transfers.Running(TransferKind::SystemDownload)) {
    m_transfers.Complete();
  }
}

void ControllerLink::OnReceive() {
  if (!m_port.IsOpen()) return;
  const std::string bytes = m_port.ReadAll();
  m_cutter.Feed(bytes, [this](std::string_view line) {
    if (line.size() > 2) {
      const std::string_view shown = line.substr(0, line.size() - 2);
      if (m_display.MB_RX_LBL != shown) {
        m_display.MB_RX_LBL.assign(shown);
        ++m_display.version;
      }
    }
    m_decoder.RECIVE_DECODE(line);
  });
  // The engine tick would send this within 10 ms; sending now answers the turn as
  // early as the gap allows.
  TrySend();
}

void ControllerLink::PcTurn() {
  m_lastTurnMs = m_clock.MonotonicMs();
  m_noteShown = false;
  if (m_silenceShown) {
    m_silenceShown = false;
    SetStatus(OpenText());
  }
  m_tables.events.Emit(bus::PcTurn{});
  m_engine.PC_to_CPU_Istek_Gonder();
}

void ControllerLink::OnCommEvent(int eventCode) {
  if (eventCode == 1 || eventCode == 2) return;  // send and receive carry no news
  SetStatus(PortEventText(eventCode));
}

void ControllerLink::OnPortFault(PortFault fault, const std::string& text) {
  switch (fault) {
    case PortFault::DeviceLost:
      // A vanished device keeps signalling errors while it stays open; close it at
      // once and let the next tick reopen it while the link is on.
      if (m_port.IsOpen()) {
        m_port.Close();
        SetStatus(text);
      }
      RefreshPortState();
      break;
    case PortFault::Note:
      SetStatus(text);
      // Until the next turn the note tells more than the silence text would (the end
      // of a replayed capture is such a note).
      m_noteShown = true;
      break;
  }
}

void ControllerLink::AbandonTransfer() {
  if (m_transfers.Running(TransferKind::ProgramDownload)) {
    const TransferStatus& s = m_transfers.Status();
    m_tables.shared.InterruptedDownloadBlocks = s.blocksDone;
    ShowWarning(InterruptedDownloadText(s.blocksDone, s.blocksTotal));
  }
  m_transfers.Abandon();
}

void ControllerLink::Switch(bool on) {
  m_linkRunning = on;
  m_decoder.ExceptionCount = 0;
  m_display.cmd_RUN = on ? "OFFLINE" : "ONLINE";
  m_display.UpDown1Enabled = !on;
  if (!on) m_display.L_Comm_Status = "STATUS";
  ++m_display.version;
  // A frame built for a turn before the switch answers nothing now.
  m_engine.DropFrame();
  m_tables.shared.RequestCode = 0;
  // Whatever read was under way is abandoned with the request, so it is no longer
  // reading.
  m_tables.shared.LogReading = false;
  AbandonTransfer();
}

void ControllerLink::cmd_RUN() { Switch(!m_linkRunning); }

void ControllerLink::Stop() {
  if (m_linkRunning) Switch(false);
  AbandonTransfer();
  if (m_port.IsOpen()) m_port.Close();
  RefreshPortState();
}

void ControllerLink::SetPortNumber(int number) {
  if (number < 0 || number > 32767) return;
  m_tables.shared.PortNumber = static_cast<std::int16_t>(number);
  m_display.Label1 = std::to_string(number);
  if (!m_port.IsOpen()) Select();
  ++m_display.version;
  RefreshPortState();
}

void ControllerLink::RTC_Esitle() {
  AbandonTransfer();
  m_tables.shared.RequestCode = request::kClockSet;
}

bool ControllerLink::Service_cmd(int listIndex) {
  if (listIndex < 0 || listIndex > 4) return false;
  AbandonTransfer();
  m_tables.shared.RequestCode = static_cast<std::int16_t>(service::kResetCpu + listIndex);
  return true;
}

bool ControllerLink::BTN_Hata_Oku() {
  if (!m_port.IsOpen()) return false;
  AbandonTransfer();
  m_tables.shared.TransferAddress = static_cast<std::int32_t>(program::kEventLogAddress);
  m_tables.shared.RequestCode = request::kBlockRead;
  m_tables.shared.LogReading = true;
  m_transfers.Start(TransferKind::LogRead, kLogBlocks);
  return true;
}

void ControllerLink::PGM_Download(int memoryListIndex) {
  AbandonTransfer();
  if (memoryListIndex == 0) {
    m_engine.StartSystemDownload(m_tables.model, memoryListIndex);
    m_tables.shared.RequestCode = request::kSystemDownload;
    m_transfers.Start(TransferKind::SystemDownload, 1);
    return;
  }
  m_tables.shared.TransferEnd = static_cast<std::int32_t>(program::kDownloadEnd);
  m_tables.shared.TransferAddress = 0;
  m_tables.shared.RequestCode = request::kDownloadStart;
  program::WriteProgramChecksum(m_tables.image);
  m_engine.StartProgramDownload(m_tables.image);
  m_transfers.Start(TransferKind::ProgramDownload, m_tables.shared.TransferEnd / kBlockBytes);
}

bool ControllerLink::StartRead(TransferKind kind) {
  if (!m_port.IsOpen()) return false;
  AbandonTransfer();
  m_tables.shared.TransferAddress = 0;
  m_tables.shared.RequestCode = request::kBlockRead;
  m_tables.shared.LogReading = false;
  m_transfers.Start(kind, kUploadBlocks);
  return true;
}

bool ControllerLink::PGM_Upload() { return StartRead(TransferKind::Upload); }

bool ControllerLink::PGM_Verify() {
  if (!m_port.IsOpen()) return false;
  // What a read that stops half-way brought is never mixed with an earlier read's.
  m_verified->fill(0);
  return StartRead(TransferKind::Verify);
}

}  // namespace bus
