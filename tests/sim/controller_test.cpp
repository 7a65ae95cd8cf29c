// The simulated controller behind every end-to-end test: if it took what the real CPU
// refuses, the tests above it would prove nothing.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "link/frame_codec.h"
#include "sim/controller.h"
#include "sim/event_log_area.h"

namespace {

using program::ProgramImage;
using Counts = std::pair<std::uint64_t, std::uint64_t>;

std::vector<std::string> Lines(const std::string& out) {
  std::vector<std::string> lines;
  for (std::size_t from = 0, lf; (lf = out.find('\n', from)) != std::string::npos; from = lf + 1)
    lines.push_back(out.substr(from, lf + 1 - from));
  return lines;
}

// The bytes of a well-formed line, LRC checked by the strict reader; empty when damaged.
std::vector<int> Bytes(const std::string& line) {
  const auto f = sim::ReadPcFrame(line);
  return f ? std::vector<int>(f->bytes.begin(), f->bytes.begin() + static_cast<long>(f->size))
           : std::vector<int>{};
}

const std::string kPoll = bus::MB_Write_Single(1, 3, 0x2000, 16) + "\r\n";

// A CPU command frame from the PC.
std::string Command(std::uint8_t item, int requestCode, const bus::DateTime& now = {}) {
  bus::CommandPayload p;
  p.requestCode = static_cast<std::int16_t>(requestCode);
  p.now = now;
  return bus::MB_CPU_Command(1, item, p).value_or("") + "\r\n";
}

// One controller on a bus whose clock the test moves; the PC answers inside its turn.
struct SimBus {
  explicit SimBus(sim::Options o = {}, ProgramImage memory = {}) : c(memory, o) {}

  std::vector<std::string> Cycle() { return Lines(c.Step(now)); }
  // Sends a frame in the PC's turn and returns the controller's answer, if any.
  std::string Answer(const std::string& frame) {
    c.Receive(frame, now + 1);
    now += 10;
    std::string out = c.Step(now);
    now += 90;  // the next cycle is due
    return out;
  }

  sim::Controller c;
  std::int64_t now = 0;
};

TEST(SimFrameCheck, OnlyWholeUndamagedFramesPass) {
  const std::string good = kPoll;
  ASSERT_TRUE(sim::ReadPcFrame(good));
  std::string badLrc = good;
  badLrc[badLrc.size() - 3] = badLrc[badLrc.size() - 3] == '0' ? '1' : '0';
  const std::string tooLong = ":" + std::string(2 * (sim::PcFrame::kMaxBytes + 2), '0') + "\r\n";
  const std::vector<std::string> refused = {badLrc,   good.substr(1), good.substr(0, good.size() - 2) + "\n",
                                            ":1\r\n", ":1003\r\n",    ":10G3200000100B\r\n",
                                            tooLong,  "\r\n"};
  for (const std::string& bad : refused) EXPECT_FALSE(sim::ReadPcFrame(bad)) << bad;
}

// Block and system writes, block reads, register reads and the clock's value are
// proven through kx7140ctl against this controller (tests/ctl) and by the sim_receive
// fuzz target.
TEST(SimAnswers, RefusedFramesChangeNothingAndAClockSettingIsLogged) {
  SimBus bus;
  const ProgramImage before = bus.c.Memory();
  const std::vector<std::string> frames = {
      Command(3, 0, {2025, 13, 40, 25, 0, 0, 1}),       // a time the chip cannot hold
      bus::MB_Write_Single(1, 3, 0x2000, 17) + "\r\n",  // past the CPU's registers
      bus::MB_Write_Single(7, 3, 0x2000, 1) + "\r\n",   // nobody at address 7
  };
  for (const auto& f : frames) {
    bus.Cycle();
    EXPECT_EQ(bus.Answer(f), "") << f;
  }
  EXPECT_EQ(bus.c.Memory(), before);
  EXPECT_EQ(std::make_pair(bus.c.Count().clockSets, bus.c.Count().unsupported), Counts(0, 3));

  bus.Cycle();
  EXPECT_EQ(Bytes(bus.Answer(Command(3, 0, {2025, 3, 9, 14, 30, 5, 7}))), (std::vector<int>{1, 208, 1, 3}));
  EXPECT_EQ(sim::LogTotal(bus.c.Memory()), sim::LogTotal(before) + 1) << "a clock setting is logged";
}

TEST(SimTurn, OneFrameInsideTheWindowOnly) {
  SimBus bus;
  bus.c.Step(0);
  bus.c.Receive(kPoll + kPoll, 1);  // two frames in one turn
  EXPECT_EQ(std::make_pair(bus.c.Count().registerReads, bus.c.Count().outOfTurn), Counts(1, 1));

  bus.c.Step(100);
  bus.c.Receive(kPoll, 161);  // after the 60 ms window
  EXPECT_EQ(std::make_pair(bus.c.Count().registerReads, bus.c.Count().outOfTurn), Counts(1, 2));
}

// The areas 1002 and 1005 clear are followed by the sim_receive fuzz target; 1003 and
// a download whose checksum fits by kx7140ctl (tests/ctl).
TEST(SimServiceCommands, ABadDownloadChecksumNeverRuns) {
  ProgramImage memory{};
  memory.fill(0x11);
  SimBus bus({}, memory);
  for (const int code : {1006, 1010}) {  // the checksum at 0xB000 does not fit the memory
    bus.Cycle();
    EXPECT_EQ(bus.Answer(Command(99, code)), "") << "commands are never acknowledged";
  }
  EXPECT_EQ(std::make_tuple(bus.c.Downloading(), bus.c.Count().checksumFailures,
                            bus.c.Plan().Flashing(bus.c.Memory())),
            std::make_tuple(false, 1u, true));
}

// Lost replies are counted by the lossy runs of tests/ctl.
TEST(SimFaults, CorruptionAndFaultyCardsShowAsOptioned) {
  SimBus damaged({.corrupt = 1.0});
  damaged.Cycle();
  const std::string reply = damaged.Answer(kPoll);
  ASSERT_FALSE(reply.empty());
  EXPECT_TRUE(Bytes(reply).empty()) << "the damage shows in the LRC: " << reply;

  SimBus card({.cardFault = {false, false, true}});
  const auto lines = card.Cycle();
  const auto k3 = Bytes(lines[2]);
  ASSERT_GE(k3.size(), 2u + 20u);
  // Card 3's channel and card fault words, the other cards sound, the fault logged at start.
  EXPECT_EQ(std::make_tuple(k3[2 + 2 * 3 + 1], k3[2 + 2 * 9 + 1], Bytes(lines[1])[2 + 2 * 9 + 1],
                            sim::LogTotal(card.c.Memory())),
            std::make_tuple(int{sim::kFaultChannels}, int{sim::kFaultWord}, 0, 1));
}

}  // namespace
