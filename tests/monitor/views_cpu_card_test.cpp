// The CPU card panel with its detector and GPS groups.

#include "monitor/cpu_card_panel.h"
#include "monitor/locale_separators.h"
#include "views_app.h"

using namespace kxtest;
using monitor::KX7145V1;
using Colours = std::vector<QColor>;

namespace {

struct CpuCard : ViewTest {
  bus::RegisterImage regs;
  KX7145V1 panel{regs};
  const bus::NumberSeparators sys = monitor::SystemSeparators();

  std::string T(const char* name) { return TextOf(Child(panel, QString::fromUtf8(name))); }
  std::string T(const char* name, int i) { return TextOf(Child(panel, QString("%1(%2)").arg(name).arg(i))); }
  QColor Shape(int i) { return Back(Child(panel, QString("Shape1(%1)").arg(i))); }
  Colours DetectorBits() {
    Colours v;
    for (int n = 0; n < 4; ++n) v.push_back(Back(Child(panel, QString("Shape_DedBits(%1)").arg(n))));
    return v;
  }
};

}  // namespace

TEST_F(CpuCard, DesignCaptionsBeforeTheFirstRefresh) {
  EXPECT_EQ(T("CPU_LBL", 2), "Şebeke");
  EXPECT_EQ(T("CPU_LBL", 3), "DEDEKTÖR");
  EXPECT_EQ(T("CPU_LBL", 7), "Sıcaklık:");
  EXPECT_EQ(T("CPU_LBL", 8), "Time");
  EXPECT_EQ(T("Label1"), "Label1");
  EXPECT_EQ(T("Lbl_CPU_Regs", 6), "XXXX");
  EXPECT_EQ(T("Shape_DedBits", 3), "Y");
  EXPECT_EQ(DetectorBits(), Colours(4, kBlackC));
}

TEST_F(CpuCard, StatesOfCpuDetectorAndGps) {
  panel.CpuState = 2;
  regs.DetectorRegs[0] = 0;
  regs.GpsRegs[1] = 1;
  panel.Refresh();
  EXPECT_EQ(T("Lbl_Status", 0), "Run");
  EXPECT_EQ(Shape(0), kGreenC);
  EXPECT_EQ(T("Lbl_Status", 1), "Ofline");
  EXPECT_EQ(Shape(1), kWhiteC);
  EXPECT_EQ(T("Lbl_Status", 2), "Uydu Araniyor");
  EXPECT_EQ(Shape(2), kBlackC);

  panel.CpuState = 9;
  regs.DetectorRegs[0] = 1;
  regs.GpsRegs[1] = 2;
  panel.Refresh();
  EXPECT_EQ(T("Lbl_Status", 0), "Run") << "an unknown state changes nothing";
  EXPECT_EQ(Shape(0), kGreenC);
  EXPECT_EQ(T("Lbl_Status", 1), "Stop");
  EXPECT_EQ(Shape(1), kBlackC);
  EXPECT_EQ(T("Lbl_Status", 2), "Uydu Bulundu");
  EXPECT_EQ(Shape(2), kGreenC);
}

TEST_F(CpuCard, GpsAndControllerClockLines) {
  panel.Refresh();
  EXPECT_EQ(T("Label1"), "GPS Time= 00.00.0000 00:00:00");
  EXPECT_EQ(T("Lbl_Status", 2), "Ofline");
  const int example[] = {5, 30, 14, 9, 3, 2024};
  for (int i = 0; i < 6; ++i) regs.GpsRegs[static_cast<std::size_t>(i + 2)] = example[i];
  regs.CpuClockText = "05.03.2024 14:07:09 Salı";
  panel.Refresh();
  EXPECT_EQ(T("Label1"), "GPS Time= 09.03.2024 14:30:05");
  EXPECT_EQ(T("CPU_LBL", 8), "CPU Time= 05.03.2024 14:07:09 Salı");
}

TEST_F(CpuCard, DetectorInputs) {
  regs.DetectorRegs[1] = 5;
  panel.Refresh();
  EXPECT_EQ(T("Lbl_Ded_Status"), "5");
  EXPECT_EQ(DetectorBits(), (Colours{kRedC, kBlackC, kRedC, kBlackC}));
  regs.DetectorRegs[1] = 16;
  panel.Refresh();
  EXPECT_EQ(T("Lbl_Ded_Status"), "16");
  EXPECT_EQ(DetectorBits(), (Colours{kRedC, kBlackC, kRedC, kBlackC})) << "not an input word: kept";
  regs.DetectorRegs[1] = 8;
  panel.Refresh();
  EXPECT_EQ(DetectorBits(), (Colours{kBlackC, kBlackC, kBlackC, kRedC}));
}

TEST_F(CpuCard, Measurements) {
  const std::string dp = sys.decimal;
  panel.MainsVoltage = 23000;
  panel.MainsCurrent = 150;
  panel.MainsFrequency = 5000;
  panel.PsuVoltage = 2405;
  panel.Temperature = 0;
  panel.Refresh();
  EXPECT_EQ(T("Lbl_CPU_Regs", 3), "230 V");
  EXPECT_EQ(T("Lbl_CPU_Regs", 8), "1" + dp + "5 A");
  EXPECT_EQ(T("Lbl_CPU_Regs", 6), "345" + dp + "00 W");
  EXPECT_EQ(T("Lbl_CPU_Regs", 4), "50 Hz");
  EXPECT_EQ(T("Lbl_CPU_Regs", 5), "24" + dp + "05 V");
  EXPECT_EQ(T("Lbl_CPU_Regs", 7), "0 C");

  panel.MainsVoltage = 65535;
  panel.MainsCurrent = 65535;
  panel.Refresh();
  EXPECT_EQ(T("Lbl_CPU_Regs", 6), "429" + sys.group + "483" + dp + "62 W");

  panel.SetNumberSeparators({",", "."});
  panel.MainsVoltage = 23050;
  panel.Refresh();
  EXPECT_EQ(T("Lbl_CPU_Regs", 3), "230,5 V");
  EXPECT_EQ(T("Lbl_CPU_Regs", 6), "151.058,18 W");
  EXPECT_EQ(T("Lbl_CPU_Regs", 8), "655,35 A");
}
