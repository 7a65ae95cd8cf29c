// The trends window over a recording made beforehand.

#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "monitor/trend_plot.h"
#include "monitor/trends_window.h"
#include "tests/link/fakes.h"
#include "views_app.h"

using namespace kxtest;
using monitor::TrendsWindow;

namespace {

constexpr std::int64_t kSecond = 1'000'000;
constexpr std::int64_t kMinute = 60 * kSecond;

struct TrendsWindowTest : ViewTest {
  FakeClock clock;
  bus::TrendStore store;
  std::unique_ptr<TrendsWindow> window;

  // One sample a second from `start` on: the mains at 230.00 V, 240.00 V in the last ten minutes.
  void Record(std::int64_t start = 0, int seconds = 7200) {
    bus::RegisterImage regs;
    regs.CpuCardRegs[bus::cpu_word::kState] = 2;
    for (int i = 0; i < seconds; ++i) {
      regs.CpuCardRegs[bus::cpu_word::kMainsVoltage] = i >= seconds - 600 ? 24000 : 23000;
      store.Record(start + i * kSecond, regs);
    }
  }
  void Open() {
    window = std::make_unique<TrendsWindow>(store, clock);
    window->resize(1200, 560);
    window->show();
  }
  void Click(const char* name) { Child<QPushButton>(*window, name).click(); }
  // The window and every plot show from..to.
  bool Shows(std::int64_t from, std::int64_t to) {
    bool all = window->Visible().from == from && window->Visible().to == to;
    for (const monitor::TimePlot* p : window->Plots())
      all = all && p->Range().from == from && p->Range().to == to;
    return all;
  }
};

TEST_F(TrendsWindowTest, TheMainsPlotThenViewsShowTheirSpanAndPauseHoldsStillWhileRecordingGoesOn) {
  Record();
  Open();
  const std::int64_t last = store.LastMicros();
  // The mains plot over an hour: the series at its pixels, then the cursor's readout.
  Click("BTN_1sa");
  auto& plot = Child<monitor::TrendPlot>(*window, "Plot_0");
  const QImage image = plot.grab().toImage();
  ASSERT_FALSE(plot.Lines().empty());
  const auto drawnAt = [&](std::int64_t t, double volts) {
    const int x = static_cast<int>(plot.XOf(t)), y = static_cast<int>(std::lround(plot.YOf(volts)));
    for (int dy = -1; dy <= 1; ++dy)
      if (image.pixelColor(x, y + dy) == plot.Lines().front().colour) return true;
    return false;
  };
  // The step from 230 V to 240 V ten minutes before the end: low before, high after.
  const std::int64_t before = last - 30 * kMinute, after = last - 5 * kMinute;
  EXPECT_EQ((std::vector<bool>{drawnAt(before, 230.0), drawnAt(before, 240.0), drawnAt(after, 240.0),
                               drawnAt(after, 230.0)}),
            (std::vector<bool>{true, false, true, false}));
  EXPECT_TRUE(plot.ScaleLow() <= 230.0 && plot.ScaleHigh() >= 240.0);

  // Before the step, where a readout of the newest sample would say 240 V.
  const QPointF pos(plot.XOf(before) + 0.5, plot.PlotArea().center().y());
  QMouseEvent move(QEvent::MouseMove, pos, plot.mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&plot, &move);
  const std::string readout = TextOf(Child(*window, "LBL_Imlec"));
  EXPECT_NE(readout.find("CPU şebeke gerilimi 230.00 V"), std::string::npos) << readout;
  EXPECT_NE(readout.find("CPU Run"), std::string::npos) << readout;

  for (const auto& [button, from] : {std::pair{"BTN_10dk", last - 10 * kMinute},
                                     {"BTN_1sa", last - 60 * kMinute},
                                     {"BTN_Tumu", std::int64_t{0}},
                                     {"BTN_1dk", last - kMinute}}) {
    Click(button);
    EXPECT_TRUE(Shows(from, last)) << button;
  }

  Click("BTN_Duraklat");
  Record(last + kSecond, 30);
  window->Refresh();
  EXPECT_TRUE(Shows(last - kMinute, last)) << "paused: the view holds still";
  Click("BTN_Duraklat");
  window->Refresh();
  EXPECT_TRUE(Shows(store.LastMicros() - kMinute, store.LastMicros())) << "going on follows the recording";

  Click("BTN_Tumu");
  Click("BTN_Duraklat");
  Click("BTN_Duraklat");
  Record(store.LastMicros() + kSecond, 30);
  window->Refresh();
  EXPECT_TRUE(Shows(0, store.LastMicros())) << "everything, still, after a pause";
}

TEST_F(TrendsWindowTest, CsvGoesToTheChosenFileAndAFailureToTheStatusLine) {
  Open();
  QSignalSpy status(window.get(), &TrendsWindow::statusMessage);
  QTemporaryDir dir;
  const QString good = dir.filePath(QStringLiteral("e.csv"));
  const struct {
    int seconds;  // recorded before the save
    QString path, said;
  } saves[] = {{0, "/nowhere/at/all.csv", "Kaydedilecek eğilim yok"},
               {10, "/nowhere/at/all.csv", "Eğilimler kaydedilemedi"},
               {0, good, "Eğilimler kaydedildi"}};
  for (const auto& s : saves) {
    if (s.seconds) Record(0, s.seconds);
    window->AskCsvPath = [&s] { return s.path; };
    Click("BTN_CsvKaydet");
    ASSERT_EQ(status.count(), 1);
    EXPECT_TRUE(status.takeFirst().at(0).toString().startsWith(s.said)) << s.said.toStdString();
  }
  // The rows' form is TrendCsv's; here that they are dated by the wall clock.
  QFile file(good);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().split('\n').value(2).startsWith("2024-03-05 14:"));
}

}  // namespace
