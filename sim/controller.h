#pragma once
// The KX7140 controller as seen from its serial bus: a pure state machine fed with
// time and bytes. Step() runs the bus cycles the CPU masters (card, GPS and
// detector traffic, then the PC's turn) and returns what goes on the wire now;
// Receive() takes the PC's bytes, checks each frame strictly and schedules the
// controller's answer.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "link/line_cutter.h"
#include "program/program_image.h"
#include "sim/bus_frames.h"
#include "sim/controller_clock.h"
#include "sim/event_log_area.h"
#include "sim/field_devices.h"
#include "sim/options.h"
#include "sim/random_source.h"
#include "sim/signal_plan.h"

namespace sim {

struct Counters {
  std::uint64_t turns = 0;           // frames to address 16 sent
  std::uint64_t framesReceived = 0;  // lines heard from the PC
  std::uint64_t badFrames = 0;       // failed the strict check
  std::uint64_t outOfTurn = 0;       // good frames outside the PC's window, or a second one
  std::uint64_t unsupported = 0;     // good frames the controller has no answer for
  std::uint64_t blocksWritten = 0;
  std::uint64_t blocksRead = 0;
  std::uint64_t registerReads = 0;
  std::uint64_t clockReads = 0;
  std::uint64_t clockSets = 0;
  std::uint64_t systemWrites = 0;
  std::uint64_t commandsSeen = 0;  // function 208 item 99
  std::uint64_t repliesSent = 0;
  std::uint64_t repliesLost = 0;
  std::uint64_t repliesCorrupted = 0;
  std::uint64_t noiseBursts = 0;
  std::uint64_t exceptions = 0;
  std::uint64_t checksumFailures = 0;  // download ends whose checksum did not match
};

class Controller {
 public:
  // Service and download codes of the command-write item 99.
  static constexpr int kFirstCommand = 1001;
  static constexpr int kLastCommand = 1010;

  explicit Controller(const program::ProgramImage& memory, Options options = {});

  // Bytes the controller puts on the wire at bus time nowMs (ms, never decreasing).
  std::string Step(std::int64_t nowMs);
  // Bytes the PC sent, heard at nowMs.
  void Receive(std::string_view bytes, std::int64_t nowMs);
  // The earliest time at which Step() has something to do.
  std::int64_t NextDueMs() const;

  const program::ProgramImage& Memory() const { return m_memory; }
  const FieldDevices& Devices() const { return m_devices; }
  const std::array<std::uint16_t, kCpuWords>& CpuRegisters() const { return m_devices.cpu; }
  bus::DateTime ClockAt(std::int64_t nowMs) const { return m_clock.At(nowMs); }
  const SignalPlan& Plan() const { return m_plan; }
  bool Downloading() const { return m_downloading; }
  const Counters& Count() const { return m_counters; }
  // How often a command code 1001..1010 was received; 0 for any other code.
  std::uint64_t CommandCount(int code) const;

 private:
  std::string Cycle(std::int64_t nowMs);
  void Emit(std::string& out, const std::string& frame);
  void OnLine(std::string_view line, std::int64_t nowMs);
  // The controller's answer to a good frame ("" for none); acts on it as well.
  std::string Answer(const PcFrame& f, std::int64_t nowMs);
  std::string AnswerCommandRead(const PcFrame& f, std::int64_t nowMs);
  std::string AnswerCommandWrite(const PcFrame& f, std::int64_t nowMs);
  void ServiceCommand(int code, std::int64_t nowMs);
  void Log(const LogEntry& entry, std::int64_t nowMs);
  void Corrupt(std::string& frame);

  program::ProgramImage m_memory;
  Options m_options;
  RandomSource m_rng;
  ControllerClock m_clock;
  SignalPlan m_plan;
  FieldDevices m_devices;
  bus::LineCutter m_cutter;
  Counters m_counters;
  std::array<std::uint64_t, kLastCommand - kFirstCommand + 1> m_commands{};

  bool m_started = false;
  std::int64_t m_startMs = 0;
  std::int64_t m_nextCycleMs = 0;
  std::int64_t m_windowEndMs = -1;
  bool m_turnAnswered = true;
  bool m_replyPending = false;
  std::int64_t m_replyDueMs = 0;
  std::string m_reply;
  bool m_downloading = false;
};

}  // namespace sim
