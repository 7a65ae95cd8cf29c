// The watch report: hundredths printed exactly, states named as the panels name
// them, and JSON that a parser takes, whatever the clock text holds.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

#include "ctl/register_report.h"

namespace {

bus::RegisterImage Sample() {
  bus::RegisterImage r;
  r.CpuCardRegs[0] = 2;
  r.CpuCardRegs[3] = 23015;  // 230.15 V
  r.CpuCardRegs[4] = 5001;   // 50.01 Hz
  r.CpuCardRegs[5] = 2405;   // 24.05 V
  r.CpuCardRegs[7] = 31;
  r.CpuCardRegs[8] = 7;      // 0.07 A
  r.GpsRegs = {0, 2, 9, 8, 7, 5, 3, 2024};
  r.DetectorRegs[0] = 1;
  r.DetectorRegs[1] = 0x000A;
  r.TriacCardRegs[0] = {2, 0, 0x1234, 0x00A1, 1250, 0, 3, 65535, 2500, 0};
  r.TriacCardRegs[7][0] = 2;
  r.TriacCardRegs[7][9] = 0x0004;  // a fault overrides the run state
  r.CpuClockText = "05.03.2024 14:07:09 Salı";
  return r;
}

TEST(RegisterReport, TextNamesEveryBlockWithItsUnits) {
  const std::string text = ctl::RegisterText(Sample());
  EXPECT_EQ(text.rfind("clock     05.03.2024 14:07:09 Salı\n", 0), 0u) << text;
  EXPECT_NE(text.find("cpu       state 2 Run  mains 230.15 V 50.01 Hz  supply 24.05 V  "
                      "temperature 31 C  current 0.07 A\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("gps       state 2 Uydu Bulundu  2024-03-05 07:08:09\n"), std::string::npos) << text;
  EXPECT_NE(text.find("detector  state 1 Stop  inputs 000A\n"), std::string::npos) << text;
  EXPECT_NE(text.find("card 1    state 2 Run  lamps 1234  faults 00A1  currents 1250 0 3 65535 mA  "
                      "supply code 2500  fault word 0000\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("card 8    state 2 Error "), std::string::npos) << text;
  EXPECT_NE(text.find("card 2    state 0 Ofline "), std::string::npos) << text;
}

TEST(RegisterReport, UnknownStatesAndEmptyClockStillPrint) {
  bus::RegisterImage r;
  r.CpuCardRegs[0] = 9;
  const std::string text = ctl::RegisterText(r);
  EXPECT_EQ(text.rfind("clock     -\n", 0), 0u);
  EXPECT_NE(text.find("cpu       state 9 ?"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12);
}

TEST(RegisterReport, JsonIsOneParseableLineWithExactValues) {
  bus::RegisterImage r = Sample();
  r.CpuClockText = "a \"quoted\" \\ tab\t";  // whatever the locale's names hold
  const std::string json = ctl::RegisterJson(r);
  EXPECT_EQ(json.find('\n'), std::string::npos);
  QJsonParseError error;
  const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << json;
  EXPECT_EQ(o["clock"].toString().toStdString(), r.CpuClockText);
  const QJsonObject cpu = o["cpu"].toObject();
  EXPECT_EQ(cpu["registers"].toArray().size(), 16);
  EXPECT_EQ(cpu["registers"].toArray()[3].toInt(), 23015);
  EXPECT_NE(json.find("\"mainsVoltage\":230.15,"), std::string::npos) << json;
  EXPECT_DOUBLE_EQ(cpu["current"].toDouble(), 0.07);
  EXPECT_EQ(o["gps"].toObject()["year"].toInt(), 2024);
  EXPECT_EQ(o["detector"].toObject()["inputs"].toInt(), 10);
  const QJsonArray cards = o["cards"].toArray();
  ASSERT_EQ(cards.size(), 8);
  EXPECT_EQ(cards[0].toObject()["lamps"].toInt(), 0x1234);
  EXPECT_EQ(cards[0].toObject()["currents"].toArray()[3].toInt(), 65535);
  EXPECT_EQ(cards[7].toObject()["card"].toInt(), 8);
  EXPECT_EQ(cards[7].toObject()["faultWord"].toInt(), 4);
}

TEST(RegisterReport, TurkishClockTextStaysUtf8InJson) {
  bus::RegisterImage r;
  r.CpuClockText = "01.01.2024 08:00:00 Çarşamba";
  const QJsonObject o =
      QJsonDocument::fromJson(QByteArray::fromStdString(ctl::RegisterJson(r))).object();
  EXPECT_EQ(o["clock"].toString(), QString::fromUtf8("01.01.2024 08:00:00 Çarşamba"));
}

}  // namespace
