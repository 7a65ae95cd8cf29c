// The verify read: the controller's whole memory into the link's own image, while the
// project's image and editor model stay as the user left them.

#include <gtest/gtest.h>

#include "link_fixture.h"

namespace {

using MemoryVerify = kxtest::LinkFixture;

// The controller's byte at address a, different in every block.
std::uint8_t ControllerByte(int a) { return static_cast<std::uint8_t>(a * 7 + a / 256); }

std::string BlockReply(int address) {
  std::vector<int> b = {0x01, 0xCF, 0x00, 0x04, (address >> 8) & 0xFF, address & 0xFF, 0x00, 0x80};
  for (int i = 0; i < 128; ++i) b.push_back(ControllerByte(address + i));
  return kxtest::Frame(b);
}

TEST_F(MemoryVerify, ReadsIntoItsOwnImageAndTellsItsKind) {
  EXPECT_FALSE(ctl->PGM_Verify()) << "a closed port reads nothing";
  GoOnline();
  image.fill(0x5A);  // the project, its event-log area included
  model.ParamWords[2] = 190;
  const auto project = std::make_unique<program::ProgramImage>(image);
  const auto edited = std::make_unique<program::EditorModel>(model);

  ASSERT_TRUE(ctl->PGM_Verify());
  for (int a = 0; a < 65536; a += 128) {
    ASSERT_TRUE(Turn().starts_with(":10CF0004")) << a;
    Hear(BlockReply(a));
  }
  EXPECT_TRUE(image == *project) << "the project's memory is not the controller's";
  EXPECT_TRUE(model == *edited);
  const program::ProgramImage& read = ctl->VerifiedImage();
  int wrong = 0;
  for (int a = 0; a < 65536; ++a) wrong += read[static_cast<std::size_t>(a)] != ControllerByte(a);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(shared.RequestCode, 0);
  EXPECT_EQ(heard.Of({"started", "completed", "abandoned"}),
            (std::vector<std::string>{"started verify 512", "completed verify 512/512"}));
}

TEST_F(MemoryVerify, ALateReplyOfAReplacedVerifyNeverReachesTheProject) {
  GoOnline();
  ASSERT_TRUE(ctl->PGM_Verify());
  Turn();  // block 0 asked
  ASSERT_TRUE(ctl->BTN_Hata_Oku());
  Hear(BlockReply(0));
  EXPECT_EQ(image[1], 0) << "the log read stores only the log area";
  EXPECT_EQ(heard.Of({"abandoned"}), std::vector<std::string>{"abandoned verify 0/512"});
  Hear(BlockReply(0xF000));
  EXPECT_EQ(image[0xF001], ControllerByte(0xF001));
}

}  // namespace
