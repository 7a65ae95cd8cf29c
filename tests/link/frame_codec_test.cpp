#include <gtest/gtest.h>

#include <vector>

#include "link/frame_codec.h"
#include "link/hex_text.h"

using namespace bus;

TEST(HexText, DigitsAndWordsOutOfRange) {
  EXPECT_EQ(ByteToHex2(0) + ByteToHex2(255) + ByteToHex2(0x0A), "00FF0A");
  EXPECT_EQ(WordToHex4(0) + "|" + WordToHex4(65535) + "|" + WordToHex4(65536) + "|" + WordToHex4(-1),
            "0000|FFFF||");
  EXPECT_EQ(HexNoLeadingZeros(65536) + "|" + HexNoLeadingZeros(0), "10000|0");
}

// Ordinary requests reach the simulated controller whole: tests/e2e LinkToSim (register and
// clock reads) and tests/ctl EachServiceCommandGoesOutExactlyOnce (service commands).
TEST(FrameCodec, BuildersStayInsideTheirRangesAndTheMemory) {
  EXPECT_EQ(MB_Write_Single(0x10, 0xF0, 0, 0), ":10F00000000000") << "a sum of 0x100 has the LRC 00";
  CommandPayload p;
  EXPECT_EQ(MB_CPU_Command(5, 9, p), ":10CF000021") << "out-of-range direction and item fall to 0";
  const std::vector<std::uint8_t> row(17, 5), block(128, 0xAB);
  p.systemRow = row;
  EXPECT_EQ(MB_CPU_Command(1, 2, p)->size(), 1u + 2 * 5) << "no system row outside its download";

  p.block = block;
  p.transferAddress = 0xFF80;
  EXPECT_EQ(MB_CPU_Command(1, 4, p).value_or("").size(), 1u + 2 * (8 + 128 + 1)) << "the top block";
  p.transferAddress = 0xFF81;
  EXPECT_FALSE(MB_CPU_Command(1, 4, p) || MB_CPU_Command(0, 4, p)) << "a block past 0xFFFF is never built";
  p.transferAddress = -128;
  EXPECT_FALSE(MB_CPU_Command(0, 4, p));
}

TEST(FrameCodec, ReadFieldLikeASubstring) {
  const std::string line = ":0103AB\r\n";
  // CR is not a hex digit; a field past the end reads empty.
  EXPECT_EQ(std::make_tuple(ReadField(line, 2, 2), ReadField(line, 6, 2), ReadField(line, 6, 4),
                            ReadField(line, 40, 4), ReadField(":0G", 2, 2)),
            std::make_tuple(1, 0xAB, std::nullopt, 0, std::nullopt));
}
