#include "link/reply_decoder.h"

#include <array>
#include <cstdio>
#include <string>
#include <tuple>

#include "link/frame_codec.h"
#include "link/hex_text.h"

namespace bus {
namespace {

constexpr std::size_t kBlockReplyChars = 1 + 2 * 137;  // ":" and 137 bytes, without CR LF

std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Reads `count` words at 1-based positions first, first+4, ... into out[0..count).
// Stops at the first bad field, keeping what was stored before it.
template <std::size_t N>
bool ReadWords(std::string_view line, std::size_t first, std::size_t count,
               std::array<std::int32_t, N>& out) {
  for (std::size_t i = 0; i < count && i < N; ++i) {
    const auto w = ReadField(line, first + 4 * i, 4);
    if (!w) return false;
    out[i] = *w;
  }
  return true;
}

}  // namespace

BlockCheck CheckBlockReply(std::string_view line) {
  line = WithoutLineEnd(line);
  if (line.size() != kBlockReplyChars || line[0] != ':') return BlockCheck::Length;
  std::uint32_t sum = 0;
  for (std::size_t i = 1; i < line.size(); i += 2) {
    const int hi = HexDigitValue(line[i]);
    const int lo = HexDigitValue(line[i + 1]);
    if (hi < 0 || lo < 0) return BlockCheck::NotHex;
    sum += static_cast<std::uint32_t>(hi * 16 + lo);
  }
  if ((sum & 0xFF) != 0) return BlockCheck::Lrc;
  const auto address = ReadField(line, 10, 4).value_or(0);
  if (address + 128 > static_cast<std::int32_t>(program::kProgramImageSize)) {
    return BlockCheck::PastEnd;
  }
  return BlockCheck::Ok;
}

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
  if (line.empty() || line[0] != ':') return;

  // A bad field ends the decoding of the line where it stands; values stored
  // before it stay.
  const auto abandon = [this] { ++m_counters.abandoned; };

  const auto address = ReadField(line, 2, 2);
  const auto function = address ? ReadField(line, 4, 2) : std::nullopt;
  if (!function) return abandon();
  std::int32_t item = 0;
  std::int32_t blockAddress = 0;
  if (*function == 207 || *function == 208) {
    const auto i = ReadField(line, 8, 2);
    if (!i) return abandon();
    item = *i;
    if (line.size() > 17) {
      const auto b = ReadField(line, 10, 4);
      if (!b) return abandon();
      blockAddress = *b;
    }
  }

  for (int lamp = 0; lamp < kActivityLamps; ++lamp) SetLamp(lamp, kWhite);

  const std::int32_t a = *address;
  const std::int32_t f = *function;
  if (a == 1) {
    if (!DecodeCpu(line, f, item, blockAddress)) return abandon();
  } else if (a == 16) {
    if (onPcTurn) onPcTurn();
    SetLamp(kLampPc, kGreen);
  } else if (a == 19) {
    SetLamp(kLampGps, kGreen);
    for (int i = 0; i <= 7; ++i) m_regs.GpsRegs[static_cast<std::size_t>(i)] = 0;
    if (f == 3 && !ReadWords(line, 8, 8, m_regs.GpsRegs)) return abandon();
  } else if (a == 20) {
    if (line.size() == 17) SetLamp(kLampDetector, kGreen);
    if (line.size() == 19 && f == 3 && !ReadWords(line, 8, 2, m_regs.DetectorRegs)) {
      return abandon();
    }
  } else if (a >= 32 && a <= 39) {
    SetLamp(a - 31, kGreen);
  }

  if (f == 134) {
    ++ExceptionCount;
    ++m_counters.exceptions;
    SetLabel2("Hata kodu geldi:" + std::to_string(a) + "-" + std::to_string(ExceptionCount));
  } else if (f == 206 && a >= 32 && a <= 39) {
    auto& card = m_regs.TriacCardRegs[static_cast<std::size_t>(a - 32)];
    const bool whole = ReadWords(line, 6, kTriacWords, card);
    m_flags.RegistersViewDirty = true;
    m_flags.LiveLampsDirty = true;
    if (!whole) return abandon();
  }
}

bool ReplyDecoder::DecodeCpu(std::string_view line, std::int32_t f, std::int32_t item,
                             std::int32_t blockAddress) {
  if (f == 3) return ReadWords(line, 8, 16, m_regs.CpuCardRegs);
  if (f == 207 && item == 3) return DecodeClock(line);
  if (f == 207 && item == 4) {
    if (m_shared.RequestCode == request::kBlockRead) DecodeBlockRead(line, blockAddress);
    return true;
  }
  if (f == 208 && item == 2) {
    if (m_shared.RequestCode == request::kSystemDownload) m_shared.RequestCode = request::kResetCpu;
  } else if (f == 208 && item == 3) {
    if (m_shared.RequestCode == request::kClockSet) m_shared.RequestCode = 0;
  } else if (f == 208 && item == 4) {
    if (m_shared.RequestCode == request::kBlockWrite && blockAddress == m_shared.TransferAddress) {
      m_shared.TransferAddress += 128;
      if (m_shared.TransferAddress < m_shared.TransferEnd) {
        SetLabel2(HexNoLeadingZeros(static_cast<std::uint32_t>(m_shared.TransferAddress)));
      } else {
        m_shared.RequestCode = request::kDownloadEnd;
        SetLabel2("Ok..");
      }
    }
  }
  return true;
}

bool ReplyDecoder::DecodeClock(std::string_view line) {
  static constexpr std::size_t kPos[] = {10, 14, 16, 18, 20, 22, 24};
  static constexpr std::size_t kLen[] = {4, 2, 2, 2, 2, 2, 2};
  std::int32_t v[7];
  for (int i = 0; i < 7; ++i) {
    const auto field = ReadField(line, kPos[i], kLen[i]);
    if (!field) return false;
    v[i] = *field;
  }
  const auto [year, month, day, weekday, hour, minute, second] =
      std::tuple{v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
  // The controller counts weekdays from 0 = Monday; no name exists past Sunday.
  if (weekday < 0 || weekday > 6) return false;
  char date[64];
  std::snprintf(date, sizeof date, "%02d.%02d.%04d %02d:%02d:%02d ", day, month, year, hour,
                minute, second);
  m_regs.CpuClockText = date + m_clock.WeekdayName(weekday + 1);
  const DateTime now = m_clock.Now();
  std::string pc = m_clock.FormatDateTime(now) + " " + m_clock.WeekdayName(now.isoWeekday);
  if (m_display.LBL_CPU_rtc != m_regs.CpuClockText || m_display.LBL_PC_rtc != pc) {
    m_display.LBL_CPU_rtc = m_regs.CpuClockText;
    m_display.LBL_PC_rtc = std::move(pc);
    ++m_display.version;
  }
  return true;
}

void ReplyDecoder::DecodeBlockRead(std::string_view line, std::int32_t blockAddress) {
  // A damaged block is neither stored nor allowed to advance the read: it is asked
  // for again at the next turn, so an upload never keeps half a block.
  if (CheckBlockReply(line) != BlockCheck::Ok) {
    ++m_counters.blockRejects;
    return;
  }
  if (blockAddress == m_shared.TransferAddress) {
    m_shared.TransferAddress += 128;
    if (m_shared.TransferAddress >= 65535) {
      m_shared.RequestCode = 0;
      m_shared.LogReading = false;
    }
  }
  const auto base = static_cast<std::size_t>(blockAddress);
  for (std::size_t i = 0; i < 128; ++i) {
    const std::size_t pos = 18 + 2 * i - 1;  // 0-based
    m_image[base + i] = static_cast<std::uint8_t>(HexDigitValue(line[pos]) * 16 +
                                                 HexDigitValue(line[pos + 1]));
  }
  SetLabel2(HexNoLeadingZeros(static_cast<std::uint32_t>(m_shared.TransferAddress)));
}

}  // namespace bus
