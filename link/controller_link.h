#pragma once
// The controller link as one object: the port's open/close cycle, the line cutter,
// the decoder and the request engine, driven by the platform's 10 ms tick and the
// port's receive events. User commands are the small methods at the bottom.

#include <cstdint>
#include <functional>
#include <string>

#include "link/clock.h"
#include "link/line_cutter.h"
#include "link/link_display.h"
#include "link/link_state.h"
#include "link/register_image.h"
#include "link/reply_decoder.h"
#include "link/request_engine.h"
#include "link/serial_port.h"
#include "program/editor_model.h"
#include "program/program_image.h"

namespace bus {

// The shared tables the link reads and writes; owned by the application.
struct LinkTables {
  RegisterImage& regs;
  LinkShared& shared;
  ViewFlags& flags;
  program::ProgramImage& image;
  const program::EditorModel& model;
};

class ControllerLink {
 public:
  static constexpr const char* kLineSettings = "57600,O,7,1";
  static constexpr int kWorkingRate = 115200;
  static constexpr std::int64_t kSendGapMs = 20;

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

  // Called at every PC turn while the output cards window is open and the start-up
  // tables are ready, before the frame is built.
  std::function<void()> Tazele;

  // --- user commands ---
  void cmd_RUN();
  void SetPortNumber(int number);       // UpDown1
  void SetMemoryListIndex(int index);   // Combo1
  void RTC_Esitle();
  bool Service_cmd(int listIndex);      // 0..4; false for no selection
  bool BTN_Hata_Oku();                  // false when the port is closed
  void PGM_Download(int memoryListIndex);
  bool PGM_Upload();                    // false when the port is closed

  bool LinkRunning() const { return m_linkRunning; }
  bool PortOpen() const { return m_port.IsOpen(); }
  const LinkDisplay& Display() const { return m_display; }
  const RequestEngine& Engine() const { return m_engine; }
  const ReplyDecoder& Decoder() const { return m_decoder; }
  std::int32_t ExceptionCount() const { return m_decoder.ExceptionCount; }
  const LineCutter& Cutter() const { return m_cutter; }
  std::uint64_t FramesSent() const { return m_framesSent; }

 private:
  void OpenOrClose();
  void TrySend();
  void PcTurn();
  void SetStatus(std::string text);
  void RefreshPortState();

  SerialPort& m_port;
  const Clock& m_clock;
  LinkTables m_tables;
  LinkDisplay m_display;
  LineCutter m_cutter;
  RequestEngine m_engine;
  ReplyDecoder m_decoder;
  bool m_linkRunning = false;
  bool m_sentOnce = false;
  std::int64_t m_lastSendMs = 0;
  std::uint64_t m_framesSent = 0;
};

// The program checksum the controller checks after a download: the byte sum of
// 0x0000-0xAFFF modulo 65536, stored big-endian at 0xB000.
void WriteProgramChecksum(program::ProgramImage& image);

}  // namespace bus
