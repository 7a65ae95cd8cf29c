#include "link/reply_decoder.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "link/bus_protocol.h"
#include "link/frame_codec.h"
#include "link/hex_text.h"
#include "link/service_commands.h"
#include "program/memory_map.h"

namespace bus {
namespace {

constexpr std::int32_t kReadEnd = 65535;
constexpr std::size_t kCpuWords = 16;
constexpr std::size_t kGpsWords = 8;
constexpr std::size_t kDetectorWords = 2;

// Reads `count` words at 1-based positions first, first+4, ... into out[0..count).
// Only for lines CheckLine took, whose every field is hex.
template <std::size_t N>
void ReadWords(std::string_view line, std::size_t first, std::size_t count,
               std::array<std::int32_t, N>& out) {
  for (std::size_t i = 0; i < count && i < N; ++i) out[i] = ReadField(line, first + 4 * i, 4).value_or(0);
}

}  // namespace

void ReplyDecoder::SetLamp(int index, Rgb colour) {
  if (m_display.LBL_COMM_ANI[static_cast<std::size_t>(index)] != colour) {
    m_display.LBL_COMM_ANI[static_cast<std::size_t>(index)] = colour;
    ++m_display.version;
  }
}

void ReplyDecoder::SetLabel2(std::string text) {
  if (m_display.Label2 != text) {
    m_display.Label2 = std::move(text);
    ++m_display.version;
  }
}

void ReplyDecoder::RECIVE_DECODE(std::string_view line) {
  ++m_counters.lines;
  const LineCheck check = CheckLine(line);
  m_events.Emit(LineReceived{line, check.verdict});
  if (check.verdict == LineVerdict::Blank) return;
  if (!check.taken()) {
    ++m_counters.refused;
    m_counters.lastRefusal = check.verdict;
    return;
  }
  Decode(line, check.head);
}

void ReplyDecoder::Decode(std::string_view line, const FrameHead& head) {
  for (int lamp = 0; lamp < kActivityLamps; ++lamp) SetLamp(lamp, kWhite);
  if (head.address == kPcStation) {
    if (onPcTurn) onPcTurn();
    SetLamp(kLampPc, kGreen);
    return;  // nothing else of the turn's frame is read
  }
  DecodeStation(line, head);
  // Any station may refuse a register write.
  if (head.function == kExceptionFunction) CountException(head.address);
}

void ReplyDecoder::DecodeStation(std::string_view line, const FrameHead& head) {
  const std::int32_t a = head.address;
  if (a == kCpuStation) {
    DecodeCpu(line, head);
  } else if (a == kGpsStation) {
    DecodeGps(line, head);
  } else if (a == kDetectorStation) {
    DecodeDetector(line, head);
  } else if (IsCardStation(a)) {
    DecodeCard(line, head);
  }
}

void ReplyDecoder::DecodeGps(std::string_view line, const FrameHead& head) {
  SetLamp(kLampGps, kGreen);
  // Whatever the frame, the module's words are read anew: a frame without them clears them.
  std::fill_n(m_regs.GpsRegs.begin(), kGpsWords, 0);
  if (head.function == kReadRegistersFunction) ReadWords(line, 8, kGpsWords, m_regs.GpsRegs);
  Stored(head.address);
}

void ReplyDecoder::DecodeDetector(std::string_view line, const FrameHead& head) {
  // The controller's poll of the module lights its lamp; the reply carries its words.
  if (head.bytes == 7) SetLamp(kLampDetector, kGreen);
  if (head.bytes == 8 && head.function == kReadRegistersFunction) {
    ReadWords(line, 8, kDetectorWords, m_regs.DetectorRegs);
    Stored(head.address);
  }
}

void ReplyDecoder::DecodeCard(std::string_view line, const FrameHead& head) {
  SetLamp(head.address - kFirstCardStation + 1, kGreen);
  if (head.function != kCardStatusFunction) return;
  ReadWords(line, 6, kTriacWords,
            m_regs.TriacCardRegs[static_cast<std::size_t>(head.address - kFirstCardStation)]);
  Stored(head.address);
}

void ReplyDecoder::CountException(std::int32_t address) {
  ++ExceptionCount;
  ++m_counters.exceptions;
  SetLabel2("Hata kodu geldi:" + std::to_string(address) + "-" + std::to_string(ExceptionCount));
}

void ReplyDecoder::DecodeCpu(std::string_view line, const FrameHead& head) {
  if (head.function == kReadRegistersFunction) {
    ReadWords(line, 8, kCpuWords, m_regs.CpuCardRegs);
    Stored(head.address);
  } else if (head.function == kCommandFunction) {
    if (head.item == kClockItem) DecodeClock(line);
    if (head.item == kBlockItem && m_shared.RequestCode == request::kBlockRead) {
      DecodeBlockRead(line, head.blockAddress);
    }
  } else if (head.function == kAcknowledgeFunction) {
    DecodeAcknowledge(head);
  }
}

void ReplyDecoder::DecodeAcknowledge(const FrameHead& head) {
  std::int16_t& code = m_shared.RequestCode;
  if (head.item == kSystemItem && code == request::kSystemDownload) {
    // The controller is reset after a system memory download.
    code = service::kResetCpu;
    m_transfers.Confirmed(0, 1);
  } else if (head.item == kClockItem && code == request::kClockSet) {
    code = 0;
    m_events.Emit(ClockSetConfirmed{});
  } else if (head.item == kBlockItem && code == request::kBlockWrite) {
    ConfirmBlockWrite(head.blockAddress);
  }
}

void ReplyDecoder::ConfirmBlockWrite(std::int32_t blockAddress) {
  // An acknowledgement of another block leaves the download where it is.
  if (blockAddress != m_shared.TransferAddress) return;
  m_shared.TransferAddress += kBlockBytes;
  if (m_shared.TransferAddress < m_shared.TransferEnd) {
    SetLabel2(HexNoLeadingZeros(static_cast<std::uint32_t>(m_shared.TransferAddress)));
  } else {
    // The download is complete only once its end command has gone out.
    m_shared.RequestCode = request::kDownloadEnd;
    SetLabel2("Ok..");
  }
  m_transfers.Confirmed(blockAddress, m_shared.TransferAddress / kBlockBytes);
}

void ReplyDecoder::DecodeClock(std::string_view line) {
  static constexpr std::size_t kPos[] = {10, 14, 16, 18, 20, 22, 24};
  static constexpr std::size_t kLen[] = {4, 2, 2, 2, 2, 2, 2};
  std::int32_t v[7];
  for (int i = 0; i < 7; ++i) v[i] = ReadField(line, kPos[i], kLen[i]).value_or(0);
  const std::int32_t year = v[0], month = v[1], day = v[2], weekday = v[3], hour = v[4], minute = v[5],
                     second = v[6];
  // The controller counts weekdays from 0 = Monday; no name exists past Sunday.
  if (weekday > 6) return;
  char date[64];
  std::snprintf(date, sizeof date, "%02d.%02d.%04d %02d:%02d:%02d ", day, month, year, hour, minute, second);
  m_regs.CpuClockText = date + m_clock.WeekdayName(weekday + 1);
  const DateTime now = m_clock.Now();
  std::string pc = m_clock.FormatDateTime(now) + " " + m_clock.WeekdayName(now.isoWeekday);
  if (m_display.LBL_CPU_rtc != m_regs.CpuClockText || m_display.LBL_PC_rtc != pc) {
    m_display.LBL_CPU_rtc = m_regs.CpuClockText;
    m_display.LBL_PC_rtc = std::move(pc);
    ++m_display.version;
  }
}

void ReplyDecoder::DecodeBlockRead(std::string_view line, std::int32_t blockAddress) {
  const bool advances = blockAddress == m_shared.TransferAddress;
  const bool log = m_transfers.Status().kind == TransferKind::LogRead;
  const auto logStart = static_cast<std::int32_t>(program::kEventLogAddress);
  // A late reply to a read that was replaced (a verify read's, say) would otherwise
  // land in the project's program while the event log is read.
  const bool stored = !log || blockAddress >= logStart;
  program::ProgramImage& into = m_transfers.Running(TransferKind::Verify) ? m_verified : m_image;
  const auto base = static_cast<std::size_t>(blockAddress);
  for (std::size_t i = 0; stored && i < static_cast<std::size_t>(kBlockBytes); ++i) {
    const std::size_t pos = 18 + 2 * i - 1;  // 0-based
    into[base + i] = static_cast<std::uint8_t>(HexDigitValue(line[pos]) * 16 + HexDigitValue(line[pos + 1]));
  }
  // A reply for another block is stored but does not advance the read: the engine
  // asks for TransferAddress again at the next turn.
  if (!advances) {
    SetLabel2(HexNoLeadingZeros(static_cast<std::uint32_t>(m_shared.TransferAddress)));
    return;
  }
  const int done = (m_shared.TransferAddress + kBlockBytes - (log ? logStart : 0)) / kBlockBytes;
  m_shared.TransferAddress += kBlockBytes;
  const bool ended = m_shared.TransferAddress >= kReadEnd;
  if (ended) {
    m_shared.RequestCode = 0;
    m_shared.LogReading = false;
  }
  SetLabel2(HexNoLeadingZeros(static_cast<std::uint32_t>(m_shared.TransferAddress)));
  m_transfers.Confirmed(blockAddress, done);
  if (ended) m_transfers.Complete();
}

}  // namespace bus
