#include "link/frame_meaning.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"
#include "link/frame_codec.h"

namespace {

using kxtest::Words;

// A frame as the line cutter hands it on: without its CR LF.
std::string Frame(const std::vector<int>& bytes) {
  const std::string line = kxtest::Frame(bytes);
  return line.substr(0, line.size() - 2);
}

TEST(FrameMeaning, EachKindOfFrameInWords) {
  // Each row: the frame, then its device, function and meaning.
  const std::pair<std::string, std::string> cases[] = {
      {Frame(Words({0x22, 0xCE}, {2, 0, 0x4321, 0, 380, 450, 385, 375, 2500, 0})),
       "K3|Kart durumu|K3 durum: Run, lambalar 4321, hata 0000, akım 0,38/0,45/0,39/0,38 A, besleme 24 V"},
      {Frame(Words({0x27, 0xCE}, {2, 0, 0x0C09, 0x00A1, 0, 1250, 0, 0, 2101, 0x1004})),
       "K8|Kart durumu|K8 durum: Error, lambalar 0C09, hata 1004, kanal hataları 00A1, "
       "akım 0,00/1,25/0,00/0,00 A, besleme 20 V"},
      {Frame(Words({0x20, 0xCE}, {7, 0, 0x1111})),
       "K1|Kart durumu|K1 durum: kod 7, lambalar 1111, hata 0000, akım 0,00/0,00/0,00/0,00 A, "
       "besleme -1 V (3 kelime)"},
      {Frame(Words({0x01, 0x03, 32}, {2, 0, 0, 23050, 5000, 2410, 0, 35, 150, 0, 0, 0, 0, 0, 0, 0})),
       "CPU|Kayıt oku|CPU kayıtları: Run, şebeke 230,5 V 50 Hz, besleme 24,1 V, sıcaklık 35 C, akım 1,5 A"},
      {Frame(Words({0x13, 0x03, 16}, {0, 2, 5, 30, 14, 9, 3, 2024})),
       "GPS|Kayıt oku|GPS: Uydu Bulundu, saat 09.03.2024 14:30:05"},
      {Frame(Words({0x14, 0x03, 4}, {2, 5})), "DED|Kayıt oku|DED: Run, girişler 1, 3"},
      {Frame(Words({0x14, 0x03, 4}, {1, 16})), "DED|Kayıt oku|DED: Stop, girişler 0x0010"},
      {Frame({0x2A, 0x41, 7}), "42|65|İşlev 65, 1 bayt"},
  };
  for (const auto& [line, want] : cases) {
    const bus::FrameMeaning m = bus::MeaningOf(line, ',');
    EXPECT_EQ(m.fault, bus::LineFault::None) << line;
    EXPECT_EQ(m.device + "|" + m.function + "|" + m.text, want);
  }
  EXPECT_EQ(bus::MeaningOf(cases[0].first, '.').text,
            "K3 durum: Run, lambalar 4321, hata 0000, akım 0.38/0.45/0.39/0.38 A, besleme 24 V");
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
    EXPECT_EQ(m.text, bus::LineFaultText(c.fault)) << c.line;
  }
  EXPECT_EQ(bus::CheckFrame(Frame({0x10, 0x03, 0, 0})).fault, bus::LineFault::None);
  EXPECT_EQ(bus::CheckFrame(":10cf00031e").fault, bus::LineFault::None) << "lower-case hex is hex";
}

}  // namespace
