#pragma once
// Every line heard on the bus passes through RECIVE_DECODE: it fills the register
// image, completes the PC's own transfers and acknowledgements, drives the bus
// activity lamps and hands the PC its turn when a frame for address 16 goes by. A
// line that is not a whole frame is refused before any of it is used.

#include <cstdint>
#include <functional>
#include <string_view>

#include "link/clock.h"
#include "link/line_check.h"
#include "link/link_display.h"
#include "link/link_events.h"
#include "link/link_state.h"
#include "link/register_image.h"
#include "link/transfer_tracker.h"
#include "program/program_image.h"

namespace bus {

struct DecoderCounters {
  std::uint64_t lines = 0;
  std::uint64_t exceptions = 0;  // function 134 replies, all time
  std::uint64_t refused = 0;     // lines that were not whole frames
  LineVerdict lastRefusal = LineVerdict::Taken;
};

// What the decoder writes besides its own display fields.
struct DecoderTables {
  RegisterImage& regs;
  LinkShared& shared;
  program::ProgramImage& image;
  program::ProgramImage& verified;  // where a verify read's blocks go
  LinkDisplay& display;
};

class ReplyDecoder {
 public:
  ReplyDecoder(DecoderTables tables, const Clock& clock, LinkEvents& events, TransferTracker& transfers)
      : m_regs(tables.regs),
        m_shared(tables.shared),
        m_image(tables.image),
        m_verified(tables.verified),
        m_display(tables.display),
        m_clock(clock),
        m_events(events),
        m_transfers(transfers) {}

  // Called for a frame to address 16, after the activity lamps were reset.
  std::function<void()> onPcTurn;

  void RECIVE_DECODE(std::string_view RxLine);

  std::int32_t ExceptionCount = 0;
  const DecoderCounters& Counters() const { return m_counters; }

 private:
  // One function a station; the CPU's replies split further by function and item.
  void Decode(std::string_view line, const FrameHead& head);
  void DecodeStation(std::string_view line, const FrameHead& head);
  void DecodeCpu(std::string_view line, const FrameHead& head);
  void DecodeGps(std::string_view line, const FrameHead& head);
  void DecodeDetector(std::string_view line, const FrameHead& head);
  void DecodeCard(std::string_view line, const FrameHead& head);
  void DecodeClock(std::string_view line);
  void DecodeBlockRead(std::string_view line, std::int32_t blockAddress);
  void DecodeAcknowledge(const FrameHead& head);
  void ConfirmBlockWrite(std::int32_t blockAddress);
  void CountException(std::int32_t address);
  void Stored(std::int32_t address) { m_events.Emit(RegistersStored{address}); }
  void SetLamp(int index, Rgb colour);
  void SetLabel2(std::string text);

  RegisterImage& m_regs;
  LinkShared& m_shared;
  program::ProgramImage& m_image;
  program::ProgramImage& m_verified;
  LinkDisplay& m_display;
  const Clock& m_clock;
  LinkEvents& m_events;
  TransferTracker& m_transfers;
  DecoderCounters m_counters;
};

}  // namespace bus
