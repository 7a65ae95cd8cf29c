// The triac card panel as the service engineer reads it.

#include "monitor/locale_separators.h"
#include "monitor/traffic_lamp.h"
#include "monitor/triac_card_panel.h"
#include "views_app.h"

using namespace kxtest;
using monitor::Triyak_Karti;
using Colours = std::vector<QColor>;

namespace {

struct TriacCard : ViewTest {
  Triyak_Karti panel;
  const std::string dp = monitor::SystemSeparators().decimal;

  QLabel& L(const QString& name) { return Child(panel, name); }
  QLabel& L(const char* name, int i) { return Child(panel, QString("%1(%2)").arg(name).arg(i)); }
  std::string Status() { return TextOf(L("Lbl_Status")); }
  QColor ShapeColour() { return Back(L("Shape1")); }
  int LampState(int c) { return Child<monitor::Trf_Lamp>(panel, QString("Trf_Lamp1(%1)").arg(c)).State(); }
  // Back colours of channel c's letters S, P, C, R.
  Colours Letters(int c) {
    return {Back(L("LBL_HatTemasi", c)), Back(L("LBL_FazTemasi", c)), Back(L("Lbl_AkimCekilmiyor", c)),
            Back(L("Lbl_KirmiziFlaman", c))};
  }
  // AC, IO, S1..S4.
  Colours CardIndicators() {
    Colours v = {Back(L("R9_err_AC")), Back(L("R9_Err_IO"))};
    for (int n = 0; n < 4; ++n) v.push_back(Back(L("R9_err_sensoryok", n)));
    return v;
  }
};

const Colours kWhite4(4, kWhiteC);

}  // namespace

TEST_F(TriacCard, DesignCaptionsAndTooltipsBeforeTheFirstRefresh) {
  EXPECT_EQ(TextOf(L("TRY_LBL")), "00");
  EXPECT_EQ(Status(), "status");
  EXPECT_EQ(TextOf(L("Lbl_PSU_Voltage")), "PSU:");
  EXPECT_EQ(TextOf(L("Lbl_Akim", 3)), "A");
  EXPECT_EQ(TextOf(L("R9_err_sensoryok", 3)), "S4");
  EXPECT_EQ(L("Lbl_PSU_Voltage").toolTip().toStdString(), "Guç kaynagı gerilimi");
  EXPECT_EQ(L("R9_err_AC").toolTip().toStdString(), "AC gerilim hattı bağlımı?");
  EXPECT_EQ(L("R9_err_sensoryok", 1).toolTip().toStdString(), "Akım Sensoru 2 devrede degil");
  EXPECT_EQ(L("LBL_FazTemasi", 2).toolTip().toStdString(), "Çıkış Hatası");
  EXPECT_EQ(L("Lbl_KirmiziFlaman", 3).toolTip().toStdString(), "Krımızı Flaman");
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
  EXPECT_EQ(Status(), "Error");
  EXPECT_EQ(ShapeColour(), kRedC);
  EXPECT_EQ(CardIndicators(), (Colours{kRedC, kWhiteC, kWhiteC, kWhiteC, kWhiteC, kWhiteC}));

  panel.FaultWord = 0x0100;  // a fault without an indicator of its own
  panel.Refresh();
  EXPECT_EQ(Status(), "Error");
  EXPECT_EQ(ShapeColour(), kRedC);
  EXPECT_EQ(CardIndicators(), Colours(6, kWhiteC));

  panel.FaultWord = 0;
  panel.Refresh();
  EXPECT_EQ(Status(), "Run");
  EXPECT_EQ(ShapeColour(), kGreenC);
  panel.CardState = 3;
  panel.Refresh();
  EXPECT_EQ(Status(), "Run") << "an unknown state keeps the last look";
  EXPECT_EQ(ShapeColour(), kGreenC);
  panel.CardState = 1;
  panel.Refresh();
  EXPECT_EQ(Status(), "Stop");
  EXPECT_EQ(ShapeColour(), kBlackC);
  panel.CardState = 0;
  panel.Refresh();
  EXPECT_EQ(Status(), "Ofline");
  EXPECT_EQ(ShapeColour(), kWhiteC);
}

TEST_F(TriacCard, FaultWordTextAndIndicators) {
  panel.FaultWord = 0x00A5;
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Label1")), "00A5");
  EXPECT_EQ(CardIndicators(), (Colours{kRedC, kWhiteC, kWhiteC, kWhiteC, kWhiteC, kWhiteC}));
  panel.FaultWord = 0x1000;
  panel.Refresh();
  EXPECT_EQ(TextOf(L("Label1")), "1000");
  EXPECT_EQ(CardIndicators(), (Colours{kWhiteC, kWhiteC, kRedC, kWhiteC, kWhiteC, kWhiteC}));
  panel.FaultWord = 0xE008;
  panel.Refresh();
  EXPECT_EQ(CardIndicators(), (Colours{kWhiteC, kRedC, kWhiteC, kRedC, kRedC, kRedC}));
}

TEST_F(TriacCard, LampNibblesGoLowestFirst) {
  panel.ChannelLamps = 0x1234;
  panel.Refresh();
  EXPECT_EQ((std::vector<int>{LampState(0), LampState(1), LampState(2), LampState(3)}),
            (std::vector<int>{4, 3, 2, 1}));
  panel.ChannelLamps = 0x9F05;  // flashing and impossible codes
  panel.Refresh();
  EXPECT_EQ((std::vector<int>{LampState(0), LampState(1), LampState(2), LampState(3)}),
            (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(TriacCard, ChannelFaultLettersFollowTheirBits) {
  panel.ChannelFaults = 0x00A1;
  panel.Refresh();
  EXPECT_EQ(Letters(0), (Colours{kWhiteC, kWhiteC, kWhiteC, kRedC})) << "R only";
  EXPECT_EQ(Letters(1), (Colours{kRedC, kWhiteC, kRedC, kWhiteC})) << "S and C";
  EXPECT_EQ(Letters(2), kWhite4);
  EXPECT_EQ(Letters(3), kWhite4);
  panel.ChannelFaults = 0xF000;
  panel.Refresh();
  EXPECT_EQ(Letters(0), kWhite4) << "a cleared fault turns white again";
  EXPECT_EQ(Letters(1), kWhite4);
  EXPECT_EQ(Letters(3), Colours(4, kRedC));
}

TEST_F(TriacCard, SupplyVoltageAndItsColour) {
  const std::pair<int, std::string> cases[] = {{2100, "20 V"}, {2101, "20 V"}, {0, "-1 V"}, {2550, "25 V"}};
  const QColor colours[] = {kYellowC, kGreenC, kYellowC, kGreenC};
  for (int i = 0; i < 4; ++i) {
    panel.SupplyRaw = cases[i].first;
    panel.Refresh();
    EXPECT_EQ(TextOf(L("Lbl_PSU_Voltage")), cases[i].second) << cases[i].first;
    EXPECT_EQ(Back(L("Lbl_PSU_Voltage")), colours[i]) << cases[i].first;
  }
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
