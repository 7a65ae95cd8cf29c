#pragma once
// The controller link as one object: the port's open/close cycle, the line cutter,
// the decoder and the request engine, driven by the platform's 10 ms tick and the
// port's receive events. User commands are the small methods at the bottom; what
// they lead to is told to the listeners of the tables' event hub.

#include <cstdint>
#include <memory>
#include <string>

#include "link/clock.h"
#include "link/line_cutter.h"
#include "link/link_display.h"
#include "link/link_events.h"
#include "link/link_state.h"
#include "link/register_image.h"
#include "link/reply_decoder.h"
#include "link/request_engine.h"
#include "link/serial_port.h"
#include "link/transfer_tracker.h"
#include "program/editor_model.h"
#include "program/program_image.h"

namespace bus {

// The shared tables the link reads and writes; owned by the application.
struct LinkTables {
  RegisterImage& regs;
  LinkShared& shared;
  program::ProgramImage& image;
  const program::EditorModel& model;
  LinkEvents& events;
};

class ControllerLink {
 public:
  static constexpr const char* kLineSettings = "57600,O,7,1";
  static constexpr int kWorkingRate = 115200;
  static constexpr std::int64_t kSendGapMs = 20;
  // How long an open port may go without a PC turn before the user is told.
  static constexpr std::int64_t kSilenceMs = 5000;
  // How often the device list is read again while the device is missing.
  static constexpr std::int64_t kReselectMs = 1000;
  static constexpr const char* kSilenceText =
      "5 sn'dir kontrolörden sıra gelmedi: kablo ve port numarasını kontrol edin";

  ControllerLink(SerialPort& port, const Clock& clock, LinkTables tables);
  ~ControllerLink();
  ControllerLink(const ControllerLink&) = delete;
  ControllerLink& operator=(const ControllerLink&) = delete;

  // The engine timer, every 10 ms: opens or closes the port, sends a ready frame.
  void Timer1Tick();
  // The port's receive event (also wired to the port's readyRead handler).
  void OnReceive();
  // The port's event codes that are not data (line events).
  void OnCommEvent(int eventCode);
  void OnPortFault(PortFault fault, const std::string& text);

  LinkEvents& Events() { return m_tables.events; }

  // --- user commands ---
  void cmd_RUN();
  // Link off and port closed at once, abandoning what runs: the window is closing.
  void Stop();
  void SetPortNumber(int number);  // UpDown1
  void RTC_Esitle();
  bool Service_cmd(int listIndex);  // 0..4; false for no selection
  bool BTN_Hata_Oku();              // false when the port is closed
  // Memory list index 0: the system memory (step 1 of record 0); any other: the
  // program memory, from a copy of the image taken now.
  void PGM_Download(int memoryListIndex);
  bool PGM_Upload();  // false when the port is closed
  // Reads the whole memory as PGM_Upload does, into VerifiedImage(): the project's
  // image, its editor model and its event log stay as they are. False when the port
  // is closed.
  bool PGM_Verify();

  // Whether the engine tick has work now: the port to open or close, or a frame
  // waiting for the send gap. Between turns of an open link it has none.
  bool TickWanted() const { return m_linkRunning != m_port.IsOpen() || m_engine.FrameReady(); }

  bool LinkRunning() const { return m_linkRunning; }
  bool PortOpen() const { return m_port.IsOpen(); }
  bool DownloadRunning() const { return m_transfers.Running(TransferKind::ProgramDownload); }
  const TransferStatus& Transfer() const { return m_transfers.Status(); }
  const LinkDisplay& Display() const { return m_display; }
  // What the last verify read brought, as far as it got.
  const program::ProgramImage& VerifiedImage() const { return *m_verified; }
  const RequestEngine& Engine() const { return m_engine; }
  const ReplyDecoder& Decoder() const { return m_decoder; }
  std::int32_t ExceptionCount() const { return m_decoder.ExceptionCount; }
  const LineCutter& Cutter() const { return m_cutter; }
  std::uint64_t FramesSent() const { return m_framesSent; }

 private:
  void OpenOrClose();
  void OpenPort();
  void Select();
  void NoticeSilence();
  void TrySend();
  void PcTurn();
  void OnceSent(std::int16_t code);
  void Switch(bool on);
  void AbandonTransfer();
  void ShowWarning(std::string text);
  void SetStatus(std::string text);
  std::string OpenText() const;
  void RefreshPortState();
  bool StartRead(TransferKind kind);

  SerialPort& m_port;
  const Clock& m_clock;
  LinkTables m_tables;
  // Before the decoder, which writes into it.
  std::unique_ptr<program::ProgramImage> m_verified = std::make_unique<program::ProgramImage>();
  LinkDisplay m_display;
  LineCutter m_cutter;
  TransferTracker m_transfers;
  RequestEngine m_engine;
  ReplyDecoder m_decoder;
  bool m_linkRunning = false;
  bool m_sentOnce = false;
  std::int64_t m_lastSendMs = 0;
  std::uint64_t m_framesSent = 0;
  bool m_openFailed = false;
  std::int64_t m_lastSelectMs = 0;
  std::int64_t m_lastTurnMs = 0;
  bool m_silenceShown = false;
  bool m_noteShown = false;
};

}  // namespace bus
