// Texts the panels show must be read whole: no word cut at a label's edge.

#include <QFontMetrics>
#include <QLabel>

#include <memory>

#include "monitor/cpu_card_panel.h"
#include "monitor/fit_text.h"
#include "monitor/registers_panel.h"
#include "views_app.h"

using namespace kxtest;

namespace {

bool Fits(const QLabel& label, const QString& text) {
  return QFontMetrics(label.font()).horizontalAdvance(text) <= label.contentsRect().width();
}

struct ClockLine : ViewTest, testing::WithParamInterface<const char*> {};

TEST_P(ClockLine, EveryWeekdayShowsWhole) {
  bus::RegisterImage regs;
  monitor::KX7145V1 panel{regs};
  regs.CpuClockText = std::string("31.12.2026 23:59:59 ") + GetParam();
  panel.Refresh();
  const auto& label = static_cast<const QLabel&>(Child(panel, QStringLiteral("CPU_LBL(8)")));
  EXPECT_TRUE(Fits(label, label.text()))
      << label.text().toStdString() << " in " << label.contentsRect().width();
  EXPECT_GE(label.font().pointSizeF(), 6.0) << "still readable";
}

INSTANTIATE_TEST_SUITE_P(TurkishAndEnglish, ClockLine,
                         testing::Values("Pazartesi", "Çarşamba", "Perşembe", "Cumartesi", "Wednesday",
                                         "Thursday", "Saturday"));

TEST(FitFontToTexts, ShrinksOnlyWhatDoesNotFitAndStopsAtTheSmallest) {
  EnsureApplication();
  QLabel label;
  label.resize(60, 20);
  QFont f = label.font();
  f.setPointSizeF(9);
  label.setFont(f);
  monitor::FitFontToTexts(label, {QStringLiteral("ab")});
  EXPECT_EQ(label.font().pointSizeF(), 9) << "a text that fits keeps the font";
  monitor::FitFontToTexts(label, {QStringLiteral("ab"), QStringLiteral("abcdefghijkl")});
  EXPECT_TRUE(Fits(label, QStringLiteral("abcdefghijkl")));
  monitor::FitFontToTexts(label, {QString(200, QLatin1Char('W'))}, 7.0);
  EXPECT_EQ(label.font().pointSizeF(), 7.0);
}

TEST(RegistersWindow, IsWideEnoughForItsCaption) {
  EnsureApplication();
  auto tables = std::make_unique<bus::SharedTables>();
  monitor::Registers_panel panel{*tables};
  QFont bold = panel.parentWidget() ? panel.parentWidget()->font() : QApplication::font();
  bold.setBold(true);
  EXPECT_GT(panel.width(), QFontMetrics(bold).horizontalAdvance(panel.windowTitle()) + 90)
      << "caption and the frame's three buttons";
}

}  // namespace
