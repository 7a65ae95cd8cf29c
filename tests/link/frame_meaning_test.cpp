#include "link/frame_meaning.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace {

// A frame as the line cutter hands it on: without its CR LF.
std::string Frame(const std::vector<int>& bytes) {
  const std::string line = kxtest::Frame(bytes);
  return line.substr(0, line.size() - 2);
}

TEST(FrameMeaning, RefusedLinesAreNamedByTheirFault) {
  std::string badLrc = Frame({0x22, 0xCE, 0, 2});
  badLrc.back() = badLrc.back() == '0' ? '1' : '0';
  const std::pair<std::string, bus::LineFault> cases[] = {
      {"", bus::LineFault::Empty},
      {"10CF0003", bus::LineFault::NoColon},
      {":22CE00G2", bus::LineFault::NotHex},
      {":22CE0", bus::LineFault::OddDigits},
      {":22CE", bus::LineFault::TooShort},
      {":" + std::string(2 * 138, 'F'), bus::LineFault::TooLong},
      {badLrc, bus::LineFault::BadLrc},
      {Frame({0x10, 0x03, 0, 0}) + "\n", bus::LineFault::BareLf},
      {"\xFF\x80:1003", bus::LineFault::NoColon},
  };
  for (const auto& [line, fault] : cases) EXPECT_EQ(bus::MeaningOf(line, ',').fault, fault) << line;
  EXPECT_EQ(bus::CheckFrame(Frame({0x10, 0x03, 0, 0})).fault, bus::LineFault::None);
  EXPECT_EQ(bus::CheckFrame(":10cf00031e").fault, bus::LineFault::None) << "lower-case hex is hex";
}

}  // namespace
