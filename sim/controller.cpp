#include "sim/controller.h"

#include <algorithm>

#include "link/bus_protocol.h"
#include "link/frame_codec.h"
#include "link/hex_text.h"
#include "link/link_state.h"
#include "link/service_commands.h"
#include "program/memory_map.h"
#include "sim/event_log_area.h"

namespace sim {
namespace {

constexpr std::size_t kParametersEnd = program::kParamWordsAddress + 2 * program::kParamWordCount;
// The system memory row is step 1 of record 0, "System Flas".
constexpr std::size_t kSystemDuration = program::kFlashRecord0Base + program::kFlashDurationOffset;
constexpr std::size_t kSystemStates = program::kFlashRecord0Base + program::kFlashStatesOffset;
constexpr std::uint8_t kExceptionBusy = 0x04;

Options Sanitized(Options o) {
  o.periodMs = std::max<std::int64_t>(o.periodMs, 1);
  o.windowMs = std::max<std::int64_t>(o.windowMs, 0);
  o.replyDelayMs = std::max<std::int64_t>(o.replyDelayMs, 0);
  return o;
}

bool BlockFits(std::uint32_t address) { return address + bus::kBlockBytes <= program::kProgramImageSize; }

}  // namespace

Controller::Controller(const program::ProgramImage& memory, Options options)
    : m_memory(memory),
      m_options(Sanitized(options)),
      m_rng(m_options.seed),
      m_plan(m_options.programRecord) {}

std::uint64_t Controller::CommandCount(int code) const {
  if (code < kFirstCommand || code > kLastCommand) return 0;
  return m_commands[static_cast<std::size_t>(code - kFirstCommand)];
}

std::int64_t Controller::NextDueMs() const {
  if (!m_started) return 0;
  return m_replyPending ? m_replyDueMs : m_nextCycleMs;
}

std::string Controller::Step(std::int64_t nowMs) {
  if (!m_started) {
    m_started = true;
    m_startMs = nowMs;
    m_nextCycleMs = nowMs;
    if (!m_clock.Set(m_options.clockStart, nowMs)) m_clock.Set(Options{}.clockStart, nowMs);
    m_plan.Restart(nowMs);
    for (int c = 0; c < kCards; ++c) {
      if (m_options.cardFault[static_cast<std::size_t>(c)]) {
        Log({1, kFaultRedFilament, static_cast<std::uint8_t>(c + 1), kFaultChannels, kFaultWord}, nowMs);
      }
    }
  }
  std::string out;
  if (m_replyPending && nowMs >= m_replyDueMs) {
    Emit(out, m_reply);
    m_replyPending = false;
    ++m_counters.repliesSent;
  }
  // The CPU finishes its answer to the PC before it polls the bus again.
  if (!m_replyPending && nowMs >= m_nextCycleMs) {
    out += Cycle(nowMs);
    m_nextCycleMs += m_options.periodMs;
    if (m_nextCycleMs <= nowMs) m_nextCycleMs = nowMs + m_options.periodMs;
  }
  return out;
}

void Controller::Emit(std::string& out, const std::string& frame) {
  if (m_rng.Chance(m_options.noise)) {
    ++m_counters.noiseBursts;
    const std::uint32_t n = 1 + m_rng.Below(8);
    for (std::uint32_t i = 0; i < n; ++i) {
      char c = static_cast<char>(1 + m_rng.Below(255));
      // Noise that looked like a frame start or a line end would be a frame of its
      // own, not noise.
      if (c == ':' || c == '\n') c = '?';
      out.push_back(c);
    }
    // Half the bursts end in a line break of their own; the others run into the
    // next frame, which the receiver then loses.
    if (m_rng.Chance(0.5)) out += "\r\n";
  }
  out += frame;
}

std::string Controller::Cycle(std::int64_t nowMs) {
  m_plan.Advance(m_memory, nowMs);
  const GroupStates groups = m_plan.Groups(m_memory);
  m_devices.Update(groups, m_options, m_rng, nowMs - m_startMs, m_clock.At(nowMs), m_plan.Record(),
                   m_plan.Step());

  std::string out;
  for (int c = 0; c < kCards; ++c) Emit(out, CardStatus(c, m_devices.cards[static_cast<std::size_t>(c)]));

  if (m_rng.Chance(m_options.exception)) {
    // A card that refuses a register write; a faulty card is the likely one.
    const auto faulty = std::find(m_options.cardFault.begin(), m_options.cardFault.end(), true);
    const int card = faulty != m_options.cardFault.end()
                         ? static_cast<int>(faulty - m_options.cardFault.begin())
                         : static_cast<int>(m_rng.Below(kCards));
    const auto address = static_cast<std::uint8_t>(bus::kFirstCardStation + card);
    Emit(out, bus::MB_Write_Single(address, bus::kWriteRegisterFunction, 0x0001, 0x0002) + "\r\n");
    Emit(out, ExceptionReply(address, kExceptionBusy));
    ++m_counters.exceptions;
  }

  Emit(out, RegisterReply(bus::kGpsStation, m_devices.gps));
  Emit(out, ReadRequest(bus::kDetectorStation, 0x0000, 2));
  Emit(out, RegisterReply(bus::kDetectorStation, m_devices.detector));
  Emit(out, ReadRequest(bus::kPcStation, bus::kCpuRegisterBase, kCpuWords));
  ++m_counters.turns;
  m_windowEndMs = nowMs + m_options.windowMs;
  m_turnAnswered = false;
  return out;
}

void Controller::Receive(std::string_view bytes, std::int64_t nowMs) {
  m_cutter.Feed(bytes, [&](std::string_view line) { OnLine(line, nowMs); });
}

void Controller::OnLine(std::string_view line, std::int64_t nowMs) {
  ++m_counters.framesReceived;
  const auto frame = ReadPcFrame(line);
  if (!frame) {
    ++m_counters.badFrames;
    return;
  }
  // One frame per turn, and only while the CPU listens for it.
  if (m_turnAnswered || nowMs > m_windowEndMs) {
    ++m_counters.outOfTurn;
    return;
  }
  m_turnAnswered = true;
  std::string reply = Answer(*frame, nowMs);
  if (reply.empty()) return;
  if (m_rng.Chance(m_options.loss)) {
    ++m_counters.repliesLost;
    return;
  }
  if (m_rng.Chance(m_options.corrupt)) {
    Corrupt(reply);
    ++m_counters.repliesCorrupted;
  }
  m_reply = std::move(reply);
  m_replyPending = true;
  m_replyDueMs = nowMs + m_options.replyDelayMs;
}

void Controller::Corrupt(std::string& frame) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  if (frame.size() < 4) return;
  // A changed hex digit rather than a foreign character: the damage only the LRC
  // can show.
  const std::size_t i = 1 + m_rng.Below(static_cast<std::uint32_t>(frame.size() - 3));
  const int v = bus::HexDigitValue(frame[i]);
  if (v < 0) return;
  frame[i] = kDigits[(static_cast<std::uint32_t>(v) + 1 + m_rng.Below(15)) % 16];
}

std::string Controller::Answer(const PcFrame& f, std::int64_t nowMs) {
  if (f.address() == bus::kCpuStation && f.function() == bus::kReadRegistersFunction && f.size == 6) {
    const std::uint16_t start = f.word(2);
    const std::uint16_t count = f.word(4);
    if (start >= bus::kCpuRegisterBase && count >= 1 && start - bus::kCpuRegisterBase + count <= kCpuWords) {
      ++m_counters.registerReads;
      return RegisterReply(
          bus::kCpuStation,
          std::span<const std::uint16_t>(m_devices.cpu).subspan(start - bus::kCpuRegisterBase, count));
    }
  } else if (f.address() == bus::kPcStation && f.function() == bus::kCommandFunction && f.size >= 4) {
    if (f.at(2) == bus::kCommandRead) return AnswerCommandRead(f, nowMs);
    if (f.at(2) == bus::kCommandWrite) return AnswerCommandWrite(f, nowMs);
  }
  ++m_counters.unsupported;
  return {};
}

std::string Controller::AnswerCommandRead(const PcFrame& f, std::int64_t nowMs) {
  const std::uint8_t item = f.at(3);
  if (item == bus::kClockItem && f.size == 4) {
    ++m_counters.clockReads;
    return ClockReply(m_clock.At(nowMs));
  }
  if (item == bus::kBlockItem && f.size == 8 && f.word(6) == bus::kBlockBytes && BlockFits(f.word(4))) {
    ++m_counters.blocksRead;
    const std::uint16_t address = f.word(4);
    return BlockReply(address,
                      std::span<const std::uint8_t>(m_memory).subspan(address).first<bus::kBlockBytes>());
  }
  ++m_counters.unsupported;
  return {};
}

std::string Controller::AnswerCommandWrite(const PcFrame& f, std::int64_t nowMs) {
  const std::uint8_t item = f.at(3);
  if (item == bus::kSystemItem && f.size == 4 + 4 + 16 + 2 && f.word(4) == 0x0058 && f.word(6) == 0x0012) {
    std::copy_n(f.bytes.begin() + 8, 16, m_memory.begin() + kSystemStates);
    m_memory[kSystemDuration] = f.at(25);
    ++m_counters.systemWrites;
    return Acknowledge(bus::kSystemItem);
  }
  if (item == bus::kClockItem && f.size == 4 + 4 + 8 && f.word(4) == 0x0000 && f.word(6) == 0x0010) {
    bus::DateTime t;
    t.year = f.word(8);
    t.month = f.at(10);
    t.day = f.at(11);
    t.isoWeekday = f.at(12);
    t.hour = f.at(13);
    t.minute = f.at(14);
    t.second = f.at(15);
    // A time the chip cannot hold is not acknowledged, so the PC keeps asking.
    if (m_clock.Set(t, nowMs)) {
      ++m_counters.clockSets;
      Log({0, event::kClockSet, 0, 0, 0}, nowMs);
      return Acknowledge(bus::kClockItem);
    }
  } else if (item == bus::kBlockItem && f.size == 8 + bus::kBlockBytes && f.word(6) == bus::kBlockBytes &&
             BlockFits(f.word(4))) {
    const std::uint16_t address = f.word(4);
    std::copy_n(f.bytes.begin() + 8, bus::kBlockBytes, m_memory.begin() + address);
    ++m_counters.blocksWritten;
    return AcknowledgeBlock(address);
  } else if (item == bus::kServiceItem && f.size == 8) {
    ++m_counters.commandsSeen;
    ServiceCommand(f.word(4), nowMs);
    return {};  // commands are never acknowledged
  }
  ++m_counters.unsupported;
  return {};
}

void Controller::ServiceCommand(int code, std::int64_t nowMs) {
  if (code >= kFirstCommand && code <= kLastCommand) {
    ++m_commands[static_cast<std::size_t>(code - kFirstCommand)];
  }
  switch (code) {
    case bus::service::kResetCpu:  // a download under way is abandoned with the restart
      m_downloading = false;
      m_plan.SetFlash(false);
      m_plan.Restart(nowMs);
      Log({0, event::kCpuReset, 0, 0, 0}, nowMs);
      break;
    case bus::service::kResetParameters:
      std::fill(m_memory.begin() + program::kParamWordsAddress, m_memory.begin() + kParametersEnd,
                std::uint8_t{0});
      break;
    case bus::service::kResetAlarmList: ClearLog(m_memory); break;
    case bus::service::kResetRtc: m_clock.Set({2000, 1, 1, 0, 0, 0, 6}, nowMs); break;
    case bus::service::kResetProgramChip:
      std::fill(m_memory.begin(), m_memory.begin() + program::kDownloadEnd, std::uint8_t{0});
      m_plan.Restart(nowMs);
      break;
    case bus::request::kDownloadStart:  // download start: the junction flashes while its program is replaced
      m_downloading = true;
      m_plan.SetFlash(true);
      break;
    case bus::request::kDownloadEnd: {  // download end: the new program runs only if it arrived whole
      std::uint32_t sum = 0;
      for (std::size_t a = 0; a < program::kChecksumAddress; ++a) sum += m_memory[a];
      const auto stored = static_cast<std::uint32_t>(m_memory[program::kChecksumAddress] << 8 |
                                                     m_memory[program::kChecksumAddress + 1]);
      m_downloading = false;
      if ((sum & 0xFFFF) == stored) {
        m_plan.SetFlash(false);
        m_plan.Restart(nowMs);
        Log({0, event::kProgramLoaded, 0, 0, 0}, nowMs);
      } else {
        ++m_counters.checksumFailures;
        Log({1, kFaultProgramMemory, 0, static_cast<std::uint16_t>(sum), static_cast<std::uint16_t>(stored)},
            nowMs);
      }
      break;
    }
    default: break;
  }
}

void Controller::Log(const LogEntry& entry, std::int64_t nowMs) {
  AppendLog(m_memory, entry, m_clock.At(nowMs));
}

}  // namespace sim
