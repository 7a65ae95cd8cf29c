#include "link/frame_meaning.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"

namespace {

// A frame as the line cutter hands it on: without its CR LF.
std::string Frame(const std::vector<int>& bytes) {
  const std::string line = kxtest::Frame(bytes);
  return line.substr(0, line.size() - 2);
}

TEST(FrameMeaning, RefusedLinesSayWhyAndKeepWhatCanBeRead) {
  std::string badLrc = Frame({0x22, 0xCE, 0, 2});
  badLrc.back() = badLrc.back() == '0' ? '1' : '0';
  const struct {
    std::string line;
    bus::LineFault fault;
    const char* device;
  } cases[] = {
      {"", bus::LineFault::Empty, ""},
      {"10CF0003", bus::LineFault::NoColon, ""},
      {":22CE00G2", bus::LineFault::NotHex, "K3"},
      {":22CE0", bus::LineFault::OddDigits, "K3"},
      {":22CE", bus::LineFault::TooShort, "K3"},
      {":" + std::string(2 * 138, 'F'), bus::LineFault::TooLong, "255"},
      {badLrc, bus::LineFault::BadLrc, "K3"},
      {Frame({0x10, 0x03, 0, 0}) + "\n", bus::LineFault::BareLf, "PC"},
      {"\xFF\x80:1003", bus::LineFault::NoColon, ""},
  };
  for (const auto& c : cases) {
    const bus::FrameMeaning m = bus::MeaningOf(c.line, ',');
    EXPECT_EQ(m.fault, c.fault) << c.line;
    EXPECT_EQ(m.device, c.device) << c.line;
  }
  EXPECT_EQ(bus::CheckFrame(Frame({0x10, 0x03, 0, 0})).fault, bus::LineFault::None);
  EXPECT_EQ(bus::CheckFrame(":10cf00031e").fault, bus::LineFault::None) << "lower-case hex is hex";
}

}  // namespace
