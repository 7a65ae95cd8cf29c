// The signal head, triac card and CPU card panels as the engineer reads them.

#include <QFontMetrics>
#include <QImage>

#include "monitor/cpu_card_panel.h"
#include "monitor/fit_text.h"
#include "monitor/locale_separators.h"
#include "monitor/traffic_lamp.h"
#include "monitor/triac_card_panel.h"
#include "views_app.h"

using namespace kxtest;

namespace {

// The three lights as painted, red yellow green: the letter when lit, '-' when dark.
std::string Painted(monitor::Trf_Lamp& lamp) {
  using L = monitor::Trf_Lamp;
  const QImage shot = lamp.grab().toImage();
  const QColor lit[] = {Qt::red, Qt::yellow, Qt::green}, dark[] = {{64, 0, 0}, {64, 64, 0}, {0, 64, 0}};
  std::string v;
  for (std::size_t i = 0; i < 3; ++i) {
    const double x = (L::kLightLeftTwips + L::kLightSizeTwips / 2) * shot.width() / double(L::kWidthTwips);
    const double y =
        (L::kLightTopTwips[i] + L::kLightSizeTwips / 2) * shot.height() / double(L::kHeightTwips);
    const QColor c = shot.pixelColor(int(x), int(y));
    v += c == lit[i] ? "RYG"[i] : c == dark[i] ? '-' : '?';
  }
  return v;
}

using TrafficLamp = ViewTest;

TEST_F(TrafficLamp, EachStateLightsItsLightsAndOtherCodesShowDark) {
  monitor::Trf_Lamp lamp;
  const struct {
    int state, shown;
    const char* lit;
  } cases[] = {{1, 1, "R--"}, {2, 2, "-Y-"}, {3, 3, "RY-"},  {4, 4, "--G"},
               {0, 0, "---"}, {5, 0, "---"}, {-1, 0, "---"}, {65536, 0, "---"}};
  for (const auto& c : cases) {
    lamp.SetState(3);
    lamp.SetState(c.state);
    EXPECT_EQ(std::tuple(lamp.State(), Painted(lamp)), std::tuple(c.shown, std::string(c.lit))) << c.state;
  }
}

struct TriacCard : ViewTest {
  monitor::Triyak_Karti panel;
  const std::string dp = monitor::SystemSeparators().decimal;

  std::string T(const QString& name) { return TextOf(Child(panel, name)); }
  // The letters S, P, C, R of channel c.
  std::string Letters(int c) {
    QStringList names;
    for (const char* n : {"LBL_HatTemasi", "LBL_FazTemasi", "Lbl_AkimCekilmiyor", "Lbl_KirmiziFlaman"})
      names << QString("%1(%2)").arg(n).arg(c);
    return BackLetters(panel, names);
  }
};

TEST_F(TriacCard, FaultWordOverridesTheRunStateThenChannelLettersSupplyAndCurrents) {
  const QStringList indicators =
      QStringList{"Shape1", "R9_err_AC", "R9_Err_IO"} + Indexed("R9_err_sensoryok", 4);
  // An unknown state (3) keeps the last look; 0x0100 is a fault without an indicator.
  const struct {
    int state, fault;
    const char *status, *faultText, *looks;  // the shape, then AC, IO, S1..S4
  } rows[] = {{2, 0x0004, "Error", "0004", "RRWWWWW"}, {2, 0x0100, "Error", "0100", "RWWWWWW"},
              {2, 0x1000, "Error", "1000", "RWWRWWW"}, {2, 0xE008, "Error", "E008", "RWRWRRR"},
              {2, 0, "Run", "0000", "GWWWWWW"},        {3, 0, "Run", "0000", "GWWWWWW"},
              {1, 0, "Stop", "0000", "KWWWWWW"},       {0, 0, "Ofline", "0000", "WWWWWWW"}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.faultText + std::string(" in state ") + std::to_string(r.state));
    panel.CardState = r.state;
    panel.FaultWord = r.fault;
    panel.Refresh();
    EXPECT_EQ(T("Lbl_Status") + " " + T("Label1") + " " + BackLetters(panel, indicators),
              std::string(r.status) + " " + r.faultText + " " + r.looks);
  }

  // Channel letters, supply and currents; the lamps' nibble order is the output cards window's test.
  panel.ChannelFaults = 0x00A1;
  panel.Refresh();
  EXPECT_EQ(Letters(0) + " " + Letters(1) + " " + Letters(2), "WWWR RWRW WWWW") << "R; S and C; none";
  panel.ChannelFaults = 0xF000;
  panel.Refresh();
  EXPECT_EQ(Letters(0) + " " + Letters(1) + " " + Letters(3), "WWWW WWWW RRRR")
      << "a cleared fault turns white";

  for (const auto& [raw, shown] : {std::pair{2100, "20 V Y"}, {2101, "20 V G"}, {0, "-1 V Y"}}) {
    panel.SupplyRaw = raw;
    panel.Refresh();
    EXPECT_EQ(T("Lbl_PSU_Voltage") + " " + BackLetters(panel, {"Lbl_PSU_Voltage"}), shown) << raw;
  }

  panel.ChannelCurrent = {0, 1250, 65535, 5};
  panel.Refresh();
  std::string amperes;
  for (const QString& n : Indexed("Lbl_Akim", 4)) amperes += T(n) + "|";
  EXPECT_EQ(amperes, "0" + dp + "00 A|1" + dp + "25 A|65" + dp + "54 A|0" + dp + "01 A|");
}

struct CpuCard : ViewTest {
  bus::RegisterImage regs;
  monitor::KX7145V1 panel{regs};
  const bus::NumberSeparators sys = monitor::SystemSeparators();

  std::string T(const QString& name) { return TextOf(Child(panel, name)); }
  // The texts of the indexed labels, each followed by '|'.
  std::string Texts(const char* name, std::initializer_list<int> indexes) {
    std::string v;
    for (int i : indexes) v += T(QString("%1(%2)").arg(name).arg(i)) + "|";
    return v;
  }
};

TEST_F(CpuCard, StatesClocksDetectorInputsAndMeasurements) {
  const struct {
    int cpu, detector, gps;
    const char *statuses, *shapes;
  } rows[] = {{2, 0, 1, "Run|Ofline|Uydu Araniyor|", "GWK"}, {9, 1, 2, "Run|Stop|Uydu Bulundu|", "GKG"}};
  // Row 2: an unknown CPU state changes nothing.
  for (const auto& r : rows) {
    panel.CpuState = r.cpu;
    regs.DetectorRegs[0] = r.detector;
    regs.GpsRegs[1] = r.gps;
    panel.Refresh();
    EXPECT_EQ(Texts("Lbl_Status", {0, 1, 2}), r.statuses);
    EXPECT_EQ(BackLetters(panel, Indexed("Shape1", 3)), r.shapes) << r.cpu;
  }

  // The clocks, every weekday whole, and the detector inputs.
  const int example[] = {5, 30, 14, 9, 3, 2024};
  for (std::size_t i = 0; i < 6; ++i) regs.GpsRegs[i + 2] = example[i];
  regs.CpuClockText = "05.03.2024 14:07:09 Salı";
  panel.Refresh();
  EXPECT_EQ(T("Label1"), "GPS Time= 09.03.2024 14:30:05");
  EXPECT_EQ(T("CPU_LBL(8)"), "CPU Time= 05.03.2024 14:07:09 Salı");
  // Every weekday the clock can end in fits whole, in a font still readable.
  QLabel& clock = Child(panel, QStringLiteral("CPU_LBL(8)"));
  for (const char* day :
       {"Pazartesi", "Çarşamba", "Perşembe", "Cumartesi", "Wednesday", "Thursday", "Saturday"}) {
    regs.CpuClockText = std::string("31.12.2026 23:59:59 ") + day;
    panel.Refresh();
    EXPECT_LE(QFontMetrics(clock.font()).horizontalAdvance(clock.text()), clock.contentsRect().width())
        << day;
  }
  EXPECT_GE(clock.font().pointSizeF(), 6.0);
  // A text that can never fit stops the shrinking at the smallest size.
  monitor::FitFontToTexts(clock, {QString(200, QLatin1Char('W'))}, 7.0);
  EXPECT_EQ(clock.font().pointSizeF(), 7.0);

  // 16 is not an input word: the bits stay.
  for (const auto& [word, bits] : {std::pair{5, "RKRK"}, {16, "RKRK"}, {8, "KKKR"}}) {
    regs.DetectorRegs[1] = word;
    panel.Refresh();
    EXPECT_EQ(T("Lbl_Ded_Status"), std::to_string(word));
    EXPECT_EQ(BackLetters(panel, Indexed("Shape_DedBits", 4)), bits) << word;
  }

  // Measurements in the system's separators, then in others.
  const std::string dp = sys.decimal;
  panel.MainsVoltage = 23000;
  panel.MainsCurrent = 150;
  panel.MainsFrequency = 5000;
  panel.PsuVoltage = 2405;
  panel.Temperature = 0;
  panel.Refresh();
  EXPECT_EQ(Texts("Lbl_CPU_Regs", {3, 8, 6, 4, 5, 7}),
            "230 V|1" + dp + "5 A|345" + dp + "00 W|50 Hz|24" + dp + "05 V|0 C|");
  panel.MainsVoltage = 65535;
  panel.MainsCurrent = 65535;
  panel.Refresh();
  EXPECT_EQ(T("Lbl_CPU_Regs(6)"), "429" + sys.group + "483" + dp + "62 W");
  panel.SetNumberSeparators({",", "."});
  panel.MainsVoltage = 23050;
  panel.Refresh();
  EXPECT_EQ(Texts("Lbl_CPU_Regs", {3, 6, 8}), "230,5 V|151.058,18 W|655,35 A|");
}

}  // namespace
