// The simulated controller is what every end-to-end test and the demo talk to: if it
// answered a frame the real CPU refuses, or took a second frame in one turn, the link
// tests above it would prove nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "link/frame_codec.h"
#include "sim/controller.h"
#include "sim/event_log_area.h"

namespace {

using program::ProgramImage;

std::vector<std::string> Lines(const std::string& out) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t lf = out.find('\n'); lf != std::string::npos; lf = out.find('\n', from)) {
    lines.push_back(out.substr(from, lf + 1 - from));
    from = lf + 1;
  }
  return lines;
}

// The bytes of a well-formed line, LRC checked by the strict reader; empty when damaged.
std::vector<int> Bytes(const std::string& line) {
  const auto f = sim::ReadPcFrame(line);
  return f ? std::vector<int>(f->bytes.begin(), f->bytes.begin() + static_cast<long>(f->size))
           : std::vector<int>{};
}

std::string Line(std::optional<std::string> frame) { return frame.value_or("") + "\r\n"; }
const std::string kPoll = bus::MB_Write_Single(1, 3, 0x2000, 16) + "\r\n";

// A CPU command frame with one part of its payload set.
std::string Command(int direction, int item, const std::function<void(bus::CommandPayload&)>& set) {
  bus::CommandPayload p;
  set(p);
  return Line(bus::MB_CPU_Command(static_cast<std::uint8_t>(direction), static_cast<std::uint8_t>(item), p));
}
std::string Command(std::int16_t code) {
  return Command(1, 99, [&](bus::CommandPayload& p) { p.requestCode = code; });
}

std::vector<int> At(const ProgramImage& memory, std::initializer_list<std::size_t> addresses) {
  std::vector<int> out;
  for (std::size_t a : addresses) out.push_back(memory[a]);
  return out;
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

TEST(SimBusCycle, CardsModulesThenThePcTurnAllWellFormedEveryPeriod) {
  SimBus bus;
  const auto lines = bus.Cycle();
  ASSERT_EQ(lines.size(), 12u);
  for (const auto& l : lines) ASSERT_FALSE(Bytes(l).empty()) << l;
  std::string heads;  // address/function of each line
  for (const auto& l : lines) heads += std::to_string(Bytes(l)[0]) + "/" + std::to_string(Bytes(l)[1]) + " ";
  EXPECT_EQ(heads, "32/206 33/206 34/206 35/206 36/206 37/206 38/206 39/206 19/3 20/3 20/3 16/3 ");
  EXPECT_EQ(lines[11], bus::MB_Write_Single(16, 3, 0x2000, 16) + "\r\n");

  EXPECT_EQ(bus.c.Step(99), "") << "nothing before the period has passed";
  EXPECT_EQ(Lines(bus.c.Step(100)).size(), 12u);
  EXPECT_EQ(bus.c.Count().turns, 2u);
}

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

TEST(SimAnswers, EachRequestGetsItsReplyAfterTheDelay) {
  ProgramImage memory{};
  for (std::size_t a = 0; a < memory.size(); ++a) memory[a] = static_cast<std::uint8_t>(a * 7);
  SimBus bus({}, memory);
  bus.Cycle();

  // Registers 0x2000.. of the CPU card.
  auto reply = Bytes(bus.Answer(kPoll));
  ASSERT_EQ(reply.size(), 3u + 32u);
  EXPECT_EQ(reply[2], 32);
  EXPECT_EQ(reply[4], bus.c.CpuRegisters()[0]);

  bus.Cycle();
  reply = Bytes(bus.Answer(Command(0, 4, [](auto& p) { p.transferAddress = 0x1A80; })));
  ASSERT_EQ(reply.size(), 8u + 128u);
  EXPECT_TRUE(std::equal(reply.begin() + 8, reply.end(), memory.begin() + 0x1A80));

  bus.Cycle();
  const std::vector<std::uint8_t> block(128, 0x5A);
  reply = Bytes(bus.Answer(Command(1, 4, [&](auto& p) {
    p.transferAddress = 0x0100;
    p.block = block;
  })));
  EXPECT_EQ(reply, (std::vector<int>{1, 208, 1, 4, 0x01, 0x00, 0x00, 0x80}));
  EXPECT_TRUE(std::all_of(bus.c.Memory().begin() + 0x100, bus.c.Memory().begin() + 0x180,
                          [](std::uint8_t b) { return b == 0x5A; }));

  bus.Cycle();
  const std::uint16_t logged = sim::LogTotal(bus.c.Memory());
  reply = Bytes(bus.Answer(Command(1, 3, [](auto& p) { p.now = {2025, 3, 9, 14, 30, 5, 7}; })));
  EXPECT_EQ(reply, (std::vector<int>{1, 208, 1, 3}));
  const bus::DateTime t = bus.c.ClockAt(bus.now);
  EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute}),
            std::vector<int>({2025, 3, 9, 14, 30}));
  EXPECT_EQ(sim::LogTotal(bus.c.Memory()), logged + 1) << "a clock setting is logged";

  bus.Cycle();
  std::vector<std::uint8_t> row(17, 0x21);
  row[0] = 9;
  reply = Bytes(bus.Answer(Command(1, 2, [&](auto& p) {
    p.requestCode = 200;
    p.systemRow = row;
  })));
  EXPECT_EQ(reply, (std::vector<int>{1, 208, 1, 2}));
  EXPECT_EQ(At(bus.c.Memory(), {0x0F90, 0x0FA0}), (std::vector<int>{9, 0x21}));
}

TEST(SimAnswers, RefusedFramesChangeNothingAndAreNotAnswered) {
  SimBus bus;
  const ProgramImage before = bus.c.Memory();
  const std::vector<std::string> frames = {
      Command(1, 3, [](auto& p) { p.now = {2025, 13, 40, 25, 0, 0, 1}; }),  // a time the chip cannot hold
      bus::MB_Write_Single(1, 3, 0x2000, 17) + "\r\n",                      // past the CPU's registers
      bus::MB_Write_Single(7, 3, 0x2000, 1) + "\r\n",                       // nobody at address 7
  };
  for (const auto& f : frames) {
    bus.Cycle();
    EXPECT_EQ(bus.Answer(f), "") << f;
  }
  EXPECT_EQ(bus.c.Memory(), before);
  EXPECT_EQ(bus.c.Count().clockSets, 0u);
  EXPECT_EQ(bus.c.Count().unsupported, 3u);
}

TEST(SimTurn, OneFrameInsideTheWindowOnly) {
  SimBus bus;
  bus.c.Step(0);
  bus.c.Receive(kPoll + kPoll, 1);  // two frames in one turn
  EXPECT_EQ(std::make_pair(bus.c.Count().registerReads, bus.c.Count().outOfTurn), std::make_pair(1ul, 1ul));

  bus.c.Step(100);
  bus.c.Receive(kPoll, 161);  // after the 60 ms window
  EXPECT_EQ(std::make_pair(bus.c.Count().registerReads, bus.c.Count().outOfTurn), std::make_pair(1ul, 2ul));
}

TEST(SimServiceCommands, EachClearsItsAreaAndTheDownloadChecksumDecides) {
  ProgramImage memory{};
  memory.fill(0x11);
  SimBus bus({}, memory);
  const auto send = [&](std::int16_t code) {
    bus.Cycle();
    EXPECT_EQ(bus.Answer(Command(code)), "") << "commands are never acknowledged";
  };

  send(1002);
  EXPECT_EQ(At(bus.c.Memory(), {0x7F, 0x80, 0xFF, 0x100}), (std::vector<int>{0x11, 0, 0, 0x11}));
  send(1003);
  EXPECT_EQ(bus.c.Memory()[0xF000], 0);
  EXPECT_EQ(sim::LogTotal(bus.c.Memory()), 0);

  send(1006);
  EXPECT_TRUE(bus.c.Downloading());
  EXPECT_TRUE(bus.c.Plan().Flashing(bus.c.Memory()));
  send(1010);  // the checksum at 0xB000 does not fit the memory
  EXPECT_FALSE(bus.c.Downloading());
  EXPECT_EQ(bus.c.Count().checksumFailures, 1u);
  EXPECT_TRUE(bus.c.Plan().Flashing(bus.c.Memory())) << "a bad program never runs";

  send(1005);
  EXPECT_EQ(At(bus.c.Memory(), {0, 0xB07F, 0xB080}), (std::vector<int>{0, 0, 0x11}));
  send(1006);
  send(1010);  // all zero: the checksum 0 fits
  EXPECT_EQ(bus.c.Count().checksumFailures, 1u);
  EXPECT_EQ(bus.c.CommandCount(1006), 2u);
  EXPECT_EQ(bus.c.CommandCount(999), 0u);
}

TEST(SimFaults, LossCorruptionAndFaultyCardsShowAsOptioned) {
  SimBus lost({.loss = 1.0});
  lost.Cycle();
  EXPECT_EQ(lost.Answer(kPoll), "");
  EXPECT_EQ(lost.c.Count().repliesLost, 1u);

  SimBus damaged({.corrupt = 1.0});
  damaged.Cycle();
  const std::string reply = damaged.Answer(kPoll);
  ASSERT_FALSE(reply.empty());
  EXPECT_TRUE(Bytes(reply).empty()) << "the damage shows in the LRC: " << reply;

  SimBus card({.cardFault = {false, false, true}});
  const auto lines = card.Cycle();
  const auto k3 = Bytes(lines[2]);
  ASSERT_GE(k3.size(), 2u + 20u);
  EXPECT_EQ(k3[2 + 2 * 3 + 1], sim::kFaultChannels) << "channel fault word";
  EXPECT_EQ(k3[2 + 2 * 9 + 1], sim::kFaultWord) << "card fault word";
  EXPECT_EQ(Bytes(lines[1])[2 + 2 * 9 + 1], 0) << "the other cards are sound";
  EXPECT_EQ(sim::LogTotal(card.c.Memory()), 1) << "the fault is logged at start";

  SimBus noise({.noise = 1.0});
  noise.Cycle();
  EXPECT_EQ(noise.c.Count().noiseBursts, 12u) << "one burst before each frame";
}

}  // namespace
