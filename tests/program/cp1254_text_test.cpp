#include "program/cp1254_text.h"

#include <gtest/gtest.h>

namespace program {

TEST(Cp1254Text, TurkishLettersHaveTheirBytesEveryByteRoundTripsAndTheRestBecomesQuestionMarks) {
  const Cp1254Text t = Utf8ToCp1254("ĞğİıŞşÇçÖöÜü€", 100);
  EXPECT_EQ(t.bytes, (std::vector<std::uint8_t>{0xD0, 0xF0, 0xDD, 0xFD, 0xDE, 0xFE, 0xC7, 0xE7, 0xD6, 0xF6,
                                                0xDC, 0xFC, 0x80}));
  const Cp1254Text cut = Utf8ToCp1254("ŞşŞşŞ", 3);
  EXPECT_EQ(std::pair(cut.bytes, cut.dropped),
            std::pair(std::vector<std::uint8_t>{0xDE, 0xFE, 0xDE}, std::size_t{2}));
  // 0 is no character.
  EXPECT_EQ(Cp1254ToUtf8(std::vector<std::uint8_t>{0, 0xDE, 0, 'a', 0}), "Şa");

  std::vector<std::uint8_t> all;
  for (unsigned b = 1; b <= 0xFF; ++b) all.push_back(static_cast<std::uint8_t>(b));
  const Cp1254Text back = Utf8ToCp1254(Cp1254ToUtf8(all), 1000);
  EXPECT_EQ(std::pair(back.bytes, back.replaced), std::pair(all, std::size_t{0}));

  // "Ž" (U+017D) is in Windows-1252 but not in 1254; the CJK character and the emoji
  // are in neither; "\xC3" is a cut-off sequence, and NUL would read back as nothing.
  const std::string text = std::string("aŽ中😀\xC3") + '\0' + "b";
  const Cp1254Text q = Utf8ToCp1254(text, 100);
  EXPECT_EQ(std::pair(std::string(q.bytes.begin(), q.bytes.end()), q.replaced),
            std::pair(std::string("a?????b"), std::size_t{5}));
}

}  // namespace program
