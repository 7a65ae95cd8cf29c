#include "program/image_compare.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model_fixture.h"
#include "program/memory_map.h"
#include "program/program_checksum.h"

namespace program {

using testing::Texts;

TEST(CompareImages, NamesEveryAreaInTheEditorsTermsAndVerifyComparesWhatADownloadSends) {
  auto a = std::make_unique<ProgramImage>(), b = std::make_unique<ProgramImage>();
  ProgramImage &A = *a, &B = *b;
  const std::size_t p3 = ProgramRecordBase(4);
  const std::size_t monday = kWeekTableAddress, tuesday = kWeekTableAddress + kWeekDayStride;
  A[0x84] = 0x00, A[0x85] = 180;
  A[0x0F00] = 'F', A[0x0F01] = 'l', A[0x0F02] = 'a', A[0x0F03] = 's';
  A[0x0FA0] = 0xAA, A[p3 + kDurationsOffset + 4] = 10;
  A[p3 + kStatesOffset + 16 * 4 + 3] = 0x41;    // step 5: group 7 green, 8 red
  A[p3 + kStatesOffset + 16 * 99 + 15] = 0x05;  // step 100, group 32: code 5
  A[monday + 8] = 7, A[monday + 10] = 1;
  B = A;

  B[5] = 'x', B[0x85] = 190;
  std::fill(B.begin() + 0x100, B.begin() + 0x104, 0x77);
  B[0x0F03] = 0xFE;  // ş
  B[0x0FA0] = 0xA9;  // group 2: flashing yellow -> flashing red
  B[0x0F91] = 1, B[p3 + kSettingsOffset] = 5, B[p3 + kDurationsOffset + 4] = 12;
  B[p3 + kStatesOffset + 16 * 4 + 3] = 0x11, B[p3 + kStatesOffset + 16 * 99 + 15] = 0x00;
  B[p3 + 0x10] = 1;
  B[monday + 3] = 9;  // the fourth byte of entry 1
  B[monday + 9] = 30, B[tuesday + 2] = 20, B[0x9400] = 1;
  B[kChecksumAddress] = 0x1A, B[kChecksumAddress + 1] = 0x2B;
  B[kEventLogAddress + 3] = 1, B[kEventLogTotalAddress + 1] = 3, B[0xFFFF] = 1;

  EXPECT_EQ(
      Texts(CompareImages(A, B)),
      (std::vector<std::string>{
          "Açıklama değişti", "PR02: 180 -> 190", "Adres 0100-0103: 4 bayt farklı",
          "Flas Programi adı: \"Flas\" -> \"Flaş\"", "System Flas adım 1 Grup-2: Sarı Flas -> Kırmızı Flas",
          "Adres 0F91: 1 bayt farklı", "Program3 bekleme adımı: 0 -> 5", "Program3 adım 5 süre: 10 -> 12",
          "Program3 adım 5 Grup-7: Yeşil -> Kırmızı", "Program3 adım 100 Grup-32: Kod 5 -> Kapalı",
          "Adres 2010: 1 bayt farklı", "Adres 9003: 1 bayt farklı",
          "Pazartesi kayıt 3: 07:00 P-01 -> 07:30 P-01", "Salı kayıt 1: 00:00 P--- -> 00:00 P--- (kod 20)",
          "Adres 9400: 1 bayt farklı", "Sağlama toplamı: 0000 -> 1A2B", "Olay kaydı 1 farklı",
          "Olay kaydı sayısı: 0 -> 3", "Adres FFFF: 1 bayt farklı"}));

  // A download is verified on what it sends, with its checksum.
  const auto project = testing::RandomImage(3);
  auto controller = std::make_unique<ProgramImage>(*project);
  WriteProgramChecksum(*controller);
  (*controller)[kDownloadEnd] ^= 0xFF;  // the event log and beyond are not sent
  (*controller)[0xFFFF] ^= 0xFF;
  EXPECT_TRUE(VerifyDownload(*project, *controller).empty());

  (*controller)[kDownloadEnd - 1] ^= 0xFF;
  EXPECT_EQ(Texts(VerifyDownload(*project, *controller)),
            (std::vector<std::string>{"Adres B07F: 1 bayt farklı"}));

  // A controller that holds the project's bytes but not the sum a download writes.
  *controller = *project;
  (*controller)[kChecksumAddress] = static_cast<std::uint8_t>(~ProgramChecksum(*project) >> 8);
  const auto d = VerifyDownload(*project, *controller);
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].area, DiffArea::Checksum);

  ProgramImage& ones = *controller;
  std::fill(ones.begin(), ones.begin() + kChecksumAddress, 0xFF);
  EXPECT_EQ(ProgramChecksum(ones), 0x5000);
}

}  // namespace program
