// The watch report: hundredths printed exactly, states named as the panels name
// them, and JSON that a parser takes, whatever the clock text holds.

#include <QJsonArray>

#include "ctl/register_report.h"
#include "ctl_fixture.h"

namespace {

TEST(RegisterReport, ValuesExactInTextAndInJsonAFaultOverridesTheRunState) {
  bus::RegisterImage r;
  r.CpuCardRegs[0] = 2;
  r.CpuCardRegs[3] = 23015;  // 230.15 V, which a binary double would print as 230.149...
  r.CpuCardRegs[4] = 5001;
  r.CpuCardRegs[8] = 7;  // 0.07 A
  r.GpsRegs = {0, 2, 9, 8, 7, 5, 3, 2024};
  r.TriacCardRegs[0] = {2, 0, 0x1234, 0x00A1, 1250, 0, 3, 65535, 2500, 0};
  r.TriacCardRegs[7][0] = 2;
  r.TriacCardRegs[7][9] = 0x0004;  // a fault overrides the run state
  r.CpuClockText = "05.03.2024 14:07:09 \"Çarşamba\"\t";
  const std::string text = ctl::RegisterText(r);
  for (const char* part : {"mains 230.15 V 50.01 Hz", "current 0.07 A\n", "card 8    state 2 Error "})
    EXPECT_NE(text.find(part), std::string::npos) << part << "\nin\n" << text;
  const std::string json = ctl::RegisterJson(r);
  EXPECT_NE(json.find("\"mainsVoltage\":230.15,"), std::string::npos) << json;
  const QJsonObject o = ctltest::JsonLine(json);
  EXPECT_EQ(std::make_tuple(o["clock"].toString().toStdString(),
                            o["cpu"].toObject()["registers"].toArray()[3].toInt(),
                            o["gps"].toObject()["year"].toInt()),
            std::make_tuple(r.CpuClockText, 23015, 2024));
  const QJsonArray cards = o["cards"].toArray();
  ASSERT_EQ(cards.size(), 8);
  EXPECT_EQ(cards[0].toObject()["currents"].toArray()[3].toInt(), 65535);
  EXPECT_EQ(cards[7].toObject()["faultWord"].toInt(), 4);
}

}  // namespace
