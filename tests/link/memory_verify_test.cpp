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

TEST_F(MemoryVerify, ReadsBesideTheProjectAsItsOwnKind) {
  EXPECT_FALSE(ctl->PGM_Verify()) << "a closed port reads nothing";
  GoOnline();
  image.fill(0x5A);  // the project, its event-log area included
  model.ParamWords[2] = 190;
  const auto project = std::make_unique<program::ProgramImage>(image);
  const auto edited = std::make_unique<program::EditorModel>(model);
  ASSERT_TRUE(ctl->PGM_Verify());
  for (int a = 0; a < 65536; a += 128) {
    Turn();
    Hear(BlockReply(a));
  }
  EXPECT_TRUE(image == *project && model == *edited) << "the project is not the controller's memory";
  int wrong = 0;
  for (int a = 0; a < 65536; ++a)
    wrong += ctl->VerifiedImage()[static_cast<std::size_t>(a)] != ControllerByte(a);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(heard.Of({"started", "completed"}),
            (std::vector<std::string>{"started verify 512", "completed verify 512/512"}));

  // A late reply of a verify read the event log read replaced stays out of the program.
  ASSERT_TRUE(ctl->PGM_Verify());
  ASSERT_TRUE(ctl->BTN_Hata_Oku());
  Hear(BlockReply(0));
  EXPECT_EQ(image[1], 0x5A);
}

}  // namespace
