#pragma once
// Every line heard on the bus passes through RECIVE_DECODE: it fills the register
// image, completes the PC's own transfers and acknowledgements, drives the bus
// activity lamps and hands the PC its turn when a frame for address 16 goes by.

#include <cstdint>
#include <functional>
#include <string_view>

#include "link/clock.h"
#include "link/link_display.h"
#include "link/link_state.h"
#include "link/register_image.h"
#include "program/program_image.h"

namespace bus {

struct DecoderCounters {
  std::uint64_t lines = 0;
  std::uint64_t exceptions = 0;     // function 134 replies, all time
  std::uint64_t blockRejects = 0;   // block-read replies refused as damaged
  std::uint64_t abandoned = 0;      // lines whose decoding stopped at a bad field
};

// Why a block-read reply may not be used.
enum class BlockCheck { Ok, Length, NotHex, Lrc, PastEnd };

// Checks a whole block-read reply (address 1, function 207, item 4) before any of it
// is used. `line` may carry its CR LF.
BlockCheck CheckBlockReply(std::string_view line);

class ReplyDecoder {
 public:
  ReplyDecoder(RegisterImage& regs, LinkShared& shared, ViewFlags& flags,
               program::ProgramImage& image, LinkDisplay& display, const Clock& clock)
      : m_regs(regs), m_shared(shared), m_flags(flags), m_image(image), m_display(display),
        m_clock(clock) {}

  // Called for a frame to address 16, after the activity lamps were reset.
  std::function<void()> onPcTurn;

  void RECIVE_DECODE(std::string_view RxLine);

  std::int32_t ExceptionCount = 0;
  const DecoderCounters& Counters() const { return m_counters; }

 private:
  bool DecodeCpu(std::string_view line, std::int32_t function, std::int32_t item,
                 std::int32_t blockAddress);
  bool DecodeClock(std::string_view line);
  void DecodeBlockRead(std::string_view line, std::int32_t blockAddress);
  void SetLamp(int index, Rgb colour);
  void SetLabel2(std::string text);

  RegisterImage& m_regs;
  LinkShared& m_shared;
  ViewFlags& m_flags;
  program::ProgramImage& m_image;
  LinkDisplay& m_display;
  const Clock& m_clock;
  DecoderCounters m_counters;
};

}  // namespace bus
