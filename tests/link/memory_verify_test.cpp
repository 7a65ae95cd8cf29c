// The verify read fills the link's own image; that the project stays as the user left
// it and the outcome is told are proven by the comm window's verify tests.

#include "link_fixture.h"

namespace {

using MemoryVerify = kxtest::LinkFixture;

TEST_F(MemoryVerify, ALateReplyOfAReplacedVerifyReadStaysOutOfTheProgram) {
  EXPECT_FALSE(ctl->PGM_Verify()) << "a closed port reads nothing";
  GoOnline();
  image.fill(0x5A);
  ASSERT_TRUE(ctl->PGM_Verify());
  ASSERT_TRUE(ctl->BTN_Hata_Oku());
  std::vector<int> reply = {0x01, 0xCF, 0x00, 0x04, 0x00, 0x00, 0x00, 0x80};
  reply.resize(8 + 128, 0x11);
  Hear(kxtest::Frame(reply));
  EXPECT_EQ(image[1], 0x5A);
}

}  // namespace
