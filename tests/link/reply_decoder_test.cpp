#include <algorithm>

#include "link_fixture.h"

using namespace kxtest;

using ReplyDecoder = LinkFixture;

namespace {
// A block-read reply from the controller for `address` holding fill, fill+1, ...
std::vector<int> BlockReply(int address, int fill) {
  std::vector<int> b = {0x01, 0xCF, 0x00, 0x04, (address >> 8) & 0xFF, address & 0xFF, 0x00, 0x80};
  for (int i = 0; i < 128; ++i) b.push_back((fill + i) & 0xFF);
  return b;
}

template <typename Words>
std::vector<int> First(const Words& words, std::size_t n) {
  return {words.begin(), words.begin() + static_cast<long>(n)};
}

const std::vector<int> kCpuWords = {2, 1, 2, 23000, 5000, 2400, 6, 35, 150, 9, 10, 11, 12, 13, 14, 15};
const std::vector<int> kCpuReply = Words({0x01, 0x03, 0x20}, kCpuWords);
const std::vector<int> kCardReply = Words({0x22, 0xCE}, {1, 0, 0x1234, 0x00A1, 0, 1250, 3, 4, 2100, 0x00A5});
const std::vector<int> kGpsReply = Words({0x13, 0x03, 0x10}, {0, 1, 30, 15, 12, 5, 3, 2024});
const std::vector<int> kClockReply = {0x01, 0xCF, 0x00, 0x03, 0x07, 0xE8, 3, 5, 6, 14, 7, 9};
}  // namespace

TEST_F(ReplyDecoder, RegisterRepliesFillTheImage) {
  GoOnline();
  Hear(Frame(kCpuReply));
  EXPECT_EQ(First(regs.CpuCardRegs, 16), kCpuWords);
  Hear(Frame(kCardReply));
  EXPECT_EQ(First(regs.TriacCardRegs[2], 10),
            (std::vector<int>{1, 0, 0x1234, 0xA1, 0, 1250, 3, 4, 2100, 0xA5}));

  Hear(Frame(kGpsReply));
  EXPECT_EQ(First(regs.GpsRegs, 8), (std::vector<int>{0, 1, 30, 15, 12, 5, 3, 2024}));
  Hear(Frame({0x13, 0x10, 0x00}));
  EXPECT_EQ(regs.GpsRegs[7], 0) << "a GPS frame other than a reply clears the block";

  Hear(Frame(Words({0x14, 0x03, 0x04}, {2, 0x0010})));
  EXPECT_EQ(First(regs.DetectorRegs, 2), (std::vector<int>{2, 0x10}));
  Hear(Frame({0x14, 0x03, 0x00, 0x00, 0x00, 0x02}));
  EXPECT_EQ(regs.DetectorRegs[1], 0x0010) << "17 characters store nothing";

  for (int a : {0, 2, 15, 17, 18, 21, 31, 40, 255}) Hear(Frame(Words({a, 0x03, 0x20}, {9, 9, 9})));
  // Other addresses store nothing, though they were taken.
  EXPECT_EQ(std::make_tuple(First(regs.CpuCardRegs, 16), regs.GpsRegs[1], ctl->Decoder().Counters().refused),
            std::make_tuple(kCpuWords, 0, 0u));
}

TEST_F(ReplyDecoder, ClockRepliesExceptionsAndTurns) {
  GoOnline();
  Hear(Frame(kClockReply));
  EXPECT_EQ(regs.CpuClockText, "05.03.2024 14:07:09 Pazar") << "weekday 6 names Sunday";
  Hear(Frame({0x01, 0xCF, 0x00, 0x03, 0x07, 0xE8, 3, 6, 0, 1, 2, 3}));
  EXPECT_EQ(regs.CpuClockText, "06.03.2024 01:02:03 Pazartesi");

  for (int i = 0; i < 3; ++i) Hear(Frame({0x21, 0x86, 0x02}));
  EXPECT_EQ(show().Label2, "Hata kodu geldi:33-3");

  Hear(":10ZZ\r\n");
  Hear(":1\r\n");
  EXPECT_EQ(heard.Of({"turn"}).size(), 1u) << "a turn needs only its address";
  Hear("\r\n");
  EXPECT_EQ(ctl->Decoder().Counters().refused, 1u) << "a lone CR LF is not counted as refused";
  ctl->cmd_RUN();
  EXPECT_EQ(ctl->ExceptionCount(), 0) << "the link button starts the count again";
}

// Damaged copies of every reply whose data is stored: none of it reaches the image and
// each is counted. Which good blocks are stored and move the read on: reply_decoder fuzz.
TEST_F(ReplyDecoder, DamagedRepliesNeverReachTheImage) {
  GoOnline();
  ASSERT_TRUE(ctl->PGM_Upload());
  shared.TransferAddress = 0x1000;
  const auto damaged = [](const std::vector<int>& bytes) {
    const std::string good = Frame(bytes);
    std::string badLrc = good, notHex = good;
    badLrc[good.size() - 3] = badLrc[good.size() - 3] == '0' ? '1' : '0';
    notHex[9] = 'G';
    std::vector<int> shorter(bytes.begin(), bytes.end() - 3);
    return std::vector<std::string>{badLrc, notHex, good.substr(0, good.size() - 3) + "\r\n", Frame(shorter),
                                    good.substr(1)};
  };
  const std::vector<int> ack = {0x01, 0xD0, 0x01, 0x04, 0x00, 0x00, 0x00, 0x80};
  const std::vector<int> replies[] = {kCpuReply, kCardReply, kGpsReply, kClockReply, BlockReply(0x1000, 0x40),
                                      ack};
  for (const auto& reply : replies)
    for (const std::string& line : damaged(reply)) Hear(line);
  Hear(Frame(BlockReply(0xFFC0, 1)));  // a whole block past the top of the memory
  EXPECT_EQ(ctl->Decoder().Counters().refused, std::size(replies) * 5 + 1);
  const auto zero = [](const auto& words) {
    return std::all_of(words.begin(), words.end(), [](int w) { return w == 0; });
  };
  EXPECT_TRUE(zero(regs.CpuCardRegs) && zero(regs.TriacCardRegs[2]) && zero(regs.GpsRegs) && zero(image) &&
              regs.CpuClockText.empty());
  EXPECT_EQ(shared.TransferAddress, 0x1000) << "a refused block never advances the read";
  EXPECT_TRUE(Turn().starts_with(":10CF000410000080")) << "the same block is asked again";
}

// The verify read fills the link's own image; that the project stays as the user left
// it and the outcome is told are proven by the comm window's verify tests.
TEST_F(ReplyDecoder, ALateReplyOfAReplacedVerifyReadStaysOutOfTheProgram) {
  EXPECT_FALSE(ctl->PGM_Verify()) << "a closed port reads nothing";
  GoOnline();
  image.fill(0x5A);
  ASSERT_TRUE(ctl->PGM_Verify());
  ASSERT_TRUE(ctl->BTN_Hata_Oku());
  Hear(Frame(BlockReply(0x0000, 0x11)));
  EXPECT_EQ(image[1], 0x5A);
}
