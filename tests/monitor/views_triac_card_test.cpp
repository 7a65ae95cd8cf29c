// The triac card panel as the service engineer reads it.

#include "monitor/locale_separators.h"
#include "monitor/traffic_lamp.h"
#include "monitor/triac_card_panel.h"
#include "views_app.h"

using namespace kxtest;
using monitor::Triyak_Karti;

namespace {

struct TriacCard : ViewTest {
  Triyak_Karti panel;
  const std::string dp = monitor::SystemSeparators().decimal;

  QLabel& L(const char* name) { return Child(panel, QString::fromUtf8(name)); }
  QLabel& L(const char* name, int i) {
    return Child(panel, QString::fromUtf8(name) + "(" + QString::number(i) + ")");
  }
  QColor ShapeColour() { return Back(Child<QWidget>(panel, "Shape1")); }
  int LampState(int c) { return Child<monitor::Trf_Lamp>(panel, QString("Trf_Lamp1(%1)").arg(c)).State(); }
  // Back colours of channel c's letters S, P, C, R.
  std::vector<QColor> Letters(int c) {
    return {Back(L("LBL_HatTemasi", c)), Back(L("LBL_FazTemasi", c)),
            Back(L("Lbl_AkimCekilmiyor", c)), Back(L("Lbl_KirmiziFlaman", c))};
  }
  std::vector<QColor> CardIndicators() {
    std::vector<QColor> v = {Back(L("R9_err_AC")), Back(L("R9_Err_IO"))};
    for (int n = 0; n < 4; ++n) v.push_back(Back(L("R9_err_sensoryok", n)));
    return v;
  }
};

const std::vector<QColor> kAllWhite4(4, kWhiteC);

}  // namespace

TEST_F(TriacCard, ShowsItsDesignCaptionsUntilTheFirstRefresh) {
  EXPECT_EQ(TextOf(L("TRY_LBL")), "00");
  EXPECT_EQ(TextOf(L("Lbl_Status")), "status");
  EXPECT_EQ(TextOf(L("Lbl_PSU_Voltage")), "PSU:");
  EXPECT_EQ(TextOf(L("Lbl_Akim", 3)), "A");
  EXPECT_EQ(TextOf(L("LBL_HatTemasi", 0)), "S");
  EXPECT_EQ(TextOf(L("Lbl_KirmiziFlaman", 2)), "R");
  EXPECT_EQ(TextOf(L("R9_err_sensoryok", 3)), "S4");
  EXPECT_EQ(L("Lbl_PSU_Voltage").toolTip().toStdString(), "Guç kaynagı gerilimi");
  EXPECT_EQ(L("R9_err_AC").toolTip().toStdString(), "AC gerilim hattı bağlımı?");
  EXPECT_EQ(L("R9_Err_IO").toolTip().toStdString(), "Donanımsal Hata Varmı?");
  EXPECT_EQ(L("R9_err_sensoryok", 1).toolTip().toStdString(), "Akım Sensoru 2 devrede degil");
  EXPECT_EQ(L("LBL_HatTemasi", 1).toolTip().toStdString(), "Hat Teması");
  EXPECT_EQ(L("LBL_FazTemasi", 2).toolTip().toStdString(), "Çıkış Hatası");
  EXPECT_EQ(L("Lbl_AkimCekilmiyor", 3).toolTip().toStdString(), "Akım çekilmiyor");
  EXPECT_EQ(L("Lbl_KirmiziFlaman", 0).toolTip().toStdString(), "Krımızı Flaman");
  const QSize fixed = panel.size();
  panel.resize(10, 10);
  EXPECT_EQ(panel.size(), fixed);
}

TEST_F(TriacCard, FaultWordOverridesTheRunState) {
  panel.CardNo = 1;
  panel.CardState = 2;
  panel.FaultWord = 0x0004;
  panel.Refresh();
  EXPECT_EQ(TextOf(L("TRY_LBL")), "01");
  EXPECT_EQ(TextOf(L("Lbl_Status")), "Error");
  EXPECT_EQ(ShapeColour(), kRedC);
  EXPECT_EQ(CardIndicators(), (std::vector<QColor>{kRedC, kWhiteC, kWhiteC, kWhiteC, kWhiteC, kWhiteC}));
  EXPECT_EQ(TextOf(L("Label1")), "0004");

  panel.FaultWord = 0x0100;  // a fault without an indicator of its own
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Lbl_Status")), "Error");
  EXPECT_EQ(ShapeColour(), kRedC);
  EXPECT_EQ(CardIndicators(), std::vector<QColor>(6, kWhiteC));

  panel.FaultWord = 0;
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Lbl_Status")), "Run");
  EXPECT_EQ(ShapeColour(), kGreenC);
}

TEST_F(TriacCard, UnknownStateKeepsTheLastLook) {
  panel.CardState = 2;
  panel.Refresh();
  panel.CardState = 3;
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Lbl_Status")), "Run");
  EXPECT_EQ(ShapeColour(), kGreenC);
  panel.CardState = 1;
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Lbl_Status")), "Stop");
  EXPECT_EQ(ShapeColour(), kBlackC);
  panel.CardState = 0;
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Lbl_Status")), "Ofline");
  EXPECT_EQ(ShapeColour(), kWhiteC);
}

TEST_F(TriacCard, LampNibblesGoLowestFirst) {
  panel.ChannelLamps = 0x1234;
  panel.Refresh();
  EXPECT_EQ(LampState(0), 4);
  EXPECT_EQ(LampState(1), 3);
  EXPECT_EQ(LampState(2), 2);
  EXPECT_EQ(LampState(3), 1);
  panel.ChannelLamps = 0x9F05;  // flashing and impossible codes
  panel.Refresh();
  EXPECT_EQ(LampState(0), 0);
  EXPECT_EQ(LampState(1), 0);
  EXPECT_EQ(LampState(2), 0);
  EXPECT_EQ(LampState(3), 0);
}

TEST_F(TriacCard, ChannelFaultLettersFollowTheirBits) {
  panel.ChannelFaults = 0x00A1;
  panel.Refresh();
  EXPECT_EQ(Letters(0), (std::vector<QColor>{kWhiteC, kWhiteC, kWhiteC, kRedC})) << "R only";
  EXPECT_EQ(Letters(1), (std::vector<QColor>{kRedC, kWhiteC, kRedC, kWhiteC})) << "S and C";
  EXPECT_EQ(Letters(2), kAllWhite4);
  EXPECT_EQ(Letters(3), kAllWhite4);
  panel.ChannelFaults = 0xF000;
  panel.Refresh();
  EXPECT_EQ(Letters(0), kAllWhite4) << "a cleared fault turns white again";
  EXPECT_EQ(Letters(1), kAllWhite4);
  EXPECT_EQ(Letters(3), std::vector<QColor>(4, kRedC));
}

TEST_F(TriacCard, SupplyVoltageAndItsColour) {
  panel.SupplyRaw = 2100;
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Lbl_PSU_Voltage")), "20 V");
  EXPECT_EQ(Back(L("Lbl_PSU_Voltage")), kYellowC);
  panel.SupplyRaw = 2101;
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Lbl_PSU_Voltage")), "20 V");
  EXPECT_EQ(Back(L("Lbl_PSU_Voltage")), kGreenC);
  panel.SupplyRaw = 0;
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Lbl_PSU_Voltage")), "-1 V");
  EXPECT_EQ(Back(L("Lbl_PSU_Voltage")), kYellowC);
  panel.SupplyRaw = 2550;  // 24.5 V
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Lbl_PSU_Voltage")), "25 V");
}

TEST_F(TriacCard, CurrentsInAmperesWithTheSystemSeparator) {
  panel.ChannelCurrent = {0, 1250, 65535, 5};
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Lbl_Akim", 0)), "0" + dp + "00 A");
  EXPECT_EQ(TextOf(L("Lbl_Akim", 1)), "1" + dp + "25 A");
  EXPECT_EQ(TextOf(L("Lbl_Akim", 2)), "65" + dp + "54 A");
  EXPECT_EQ(TextOf(L("Lbl_Akim", 3)), "0" + dp + "01 A");

  panel.SetNumberSeparators({",", "."});
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Lbl_Akim", 1)), "1,25 A") << "new separators show at once";
}

TEST_F(TriacCard, FaultWordTextAndSensorIndicators) {
  panel.FaultWord = 0x00A5;
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Label1")), "00A5");
  EXPECT_EQ(CardIndicators(), (std::vector<QColor>{kRedC, kWhiteC, kWhiteC, kWhiteC, kWhiteC, kWhiteC}));
  panel.FaultWord = 0x1000;
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Label1")), "1000");
  EXPECT_EQ(CardIndicators(), (std::vector<QColor>{kWhiteC, kWhiteC, kRedC, kWhiteC, kWhiteC, kWhiteC}));
  panel.FaultWord = 0xE008;
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Label1")), "E008");
  EXPECT_EQ(CardIndicators(), (std::vector<QColor>{kWhiteC, kRedC, kWhiteC, kRedC, kRedC, kRedC}));
}
