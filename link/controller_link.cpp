#include "link/controller_link.h"

#include "link/port_events.h"

namespace bus {

void WriteProgramChecksum(program::ProgramImage& image) {
  std::uint32_t sum = 0;
  for (std::size_t a = 0; a < 0xB000; ++a) sum += image[a];
  sum &= 0xFFFF;
  image[0xB000] = static_cast<std::uint8_t>(sum >> 8);
  image[0xB001] = static_cast<std::uint8_t>(sum & 0xFF);
}

ControllerLink::ControllerLink(SerialPort& port, const Clock& clock, LinkTables tables)
    : m_port(port),
      m_clock(clock),
      m_tables(tables),
      m_engine(tables.shared, tables.image, tables.model, clock),
      m_decoder(tables.regs, tables.shared, tables.flags, tables.image, m_display, clock) {
  m_decoder.onPcTurn = [this] { PcTurn(); };
  m_display.Label1 = std::to_string(m_tables.shared.PortNumber);
  m_port.SetHandlers({[this] { OnReceive(); },
                      [this](PortFault f, const std::string& text) { OnPortFault(f, text); }});
  m_port.Select(m_tables.shared.PortNumber);
  m_display.PortDevice = m_port.DeviceName();
}

ControllerLink::~ControllerLink() {
  m_port.SetHandlers({});
  if (m_port.IsOpen()) m_port.Close();
}

void ControllerLink::SetStatus(std::string text) {
  if (m_display.L_Comm_Status != text) {
    m_display.L_Comm_Status = std::move(text);
    ++m_display.version;
  }
}

void ControllerLink::RefreshPortState() {
  const bool open = m_port.IsOpen();
  std::string device = m_port.DeviceName();
  if (open != m_display.PortOpen || device != m_display.PortDevice) {
    m_display.PortOpen = open;
    m_display.PortDevice = std::move(device);
    ++m_display.version;
  }
}

void ControllerLink::OpenOrClose() {
  if (m_linkRunning && !m_port.IsOpen()) {
    m_port.SetLineSettings(kLineSettings);
    m_port.Select(m_tables.shared.PortNumber);
    const PortResult opened = m_port.Open();
    if (!opened.ok) {
      SetStatus(opened.message);
      RefreshPortState();
      return;
    }
    m_port.ReadAll();  // what waited from before belongs to no frame we can trust
    const PortResult rate = m_port.SetBaudRate(kWorkingRate);
    if (!rate.ok) SetStatus(rate.message);
  } else if (!m_linkRunning && m_port.IsOpen()) {
    m_port.Close();
  }
  RefreshPortState();
}

void ControllerLink::Timer1Tick() {
  OpenOrClose();
  TrySend();
}

void ControllerLink::TrySend() {
  if (!m_engine.FrameReady()) return;
  if (m_sentOnce && m_clock.MonotonicMs() - m_lastSendMs < kSendGapMs) return;
  const std::string& frame = m_engine.TxFrame();
  std::string shown = frame + " (" + std::to_string(frame.size() + 2) + ")";
  if (m_display.MB_TX_LBL != shown) {
    m_display.MB_TX_LBL = std::move(shown);
    ++m_display.version;
  }
  if (!m_port.IsOpen()) {
    // The frame stays ready and goes out once the link is up again.
    SetStatus("Operation valid only when the port is open");
    return;
  }
  std::string wire;
  wire.reserve(frame.size() + 2);
  wire.append(frame).append("\r\n");
  const PortResult written = m_port.Write(wire);
  if (!written.ok) {
    SetStatus(written.message);
    return;
  }
  m_engine.FrameSent();
  m_sentOnce = true;
  m_lastSendMs = m_clock.MonotonicMs();
  ++m_framesSent;
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
  if (m_tables.flags.CardsViewOpen && m_tables.flags.TablesReady && Tazele) Tazele();
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
    case PortFault::LineError:
    case PortFault::Note:
      SetStatus(text);
      break;
  }
}

void ControllerLink::cmd_RUN() {
  m_linkRunning = !m_linkRunning;
  m_decoder.ExceptionCount = 0;
  if (m_linkRunning) {
    m_display.cmd_RUN = "OFFLINE";
    m_display.UpDown1Enabled = false;
  } else {
    m_display.cmd_RUN = "ONLINE";
    m_display.UpDown1Enabled = true;
    m_display.L_Comm_Status = "STATUS";
  }
  ++m_display.version;
  m_tables.shared.RequestCode = 0;
  // Whatever read was under way is abandoned with the request, so it is no longer
  // reading; the window re-enables its read button from this.
  m_tables.shared.LogReading = false;
}

void ControllerLink::SetPortNumber(int number) {
  if (number < 0 || number > 32767) return;
  m_tables.shared.PortNumber = static_cast<std::int16_t>(number);
  m_display.Label1 = std::to_string(number);
  if (!m_port.IsOpen()) m_port.Select(number);
  ++m_display.version;
  RefreshPortState();
}

void ControllerLink::SetMemoryListIndex(int index) { m_engine.SetMemoryListIndex(index); }

void ControllerLink::RTC_Esitle() { m_tables.shared.RequestCode = request::kClockSet; }

bool ControllerLink::Service_cmd(int listIndex) {
  if (listIndex < 0 || listIndex > 4) return false;
  m_tables.shared.RequestCode = static_cast<std::int16_t>(request::kResetCpu + listIndex);
  return true;
}

bool ControllerLink::BTN_Hata_Oku() {
  if (!m_port.IsOpen()) return false;
  m_tables.shared.TransferAddress = kEventLogStart;
  m_tables.shared.RequestCode = request::kBlockRead;
  m_tables.shared.LogReading = true;
  return true;
}

void ControllerLink::PGM_Download(int memoryListIndex) {
  if (memoryListIndex == 0) {
    m_tables.shared.RequestCode = request::kSystemDownload;
    return;
  }
  m_tables.shared.TransferEnd = kProgramDownloadEnd;
  m_tables.shared.TransferAddress = 0;
  m_tables.shared.RequestCode = request::kDownloadStart;
  WriteProgramChecksum(m_tables.image);
}

bool ControllerLink::PGM_Upload() {
  if (!m_port.IsOpen()) return false;
  m_tables.shared.TransferAddress = 0;
  m_tables.shared.RequestCode = request::kBlockRead;
  return true;
}

}  // namespace bus
