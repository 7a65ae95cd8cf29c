// The trends window over a recording made beforehand: the views' spans, pause and
// zoom, the cursor's readout, a known series at its pixels, and the CSV file.

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "monitor/trend_plot.h"
#include "monitor/trends_window.h"
#include "tests/link/fakes.h"
#include "views_app.h"

using namespace kxtest;
using monitor::TrendsWindow;

namespace {

constexpr std::int64_t kSecond = 1'000'000;
constexpr std::int64_t kMinute = 60 * kSecond;
const int kMains = bus::CpuSeries(bus::CpuTrend::MainsVoltage);

struct TrendsWindowTest : ViewTest {
  FakeClock clock;
  bus::TrendStore store;
  std::unique_ptr<TrendsWindow> window;

  // Two hours at one sample a second: the mains at 230.00 V, 240.00 V in the last
  // ten minutes; from `start` on (steady time).
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
  void Click(const char* name) { Child<QPushButton>(*window, QString::fromLatin1(name)).click(); }
  monitor::TrendPlot& MainsPlot() { return Child<monitor::TrendPlot>(*window, QStringLiteral("Plot_0")); }
  bool AllPlotsShow(monitor::TimeRange r) {
    for (const monitor::TimePlot* p : window->Plots()) {
      if (p->Range().from != r.from || p->Range().to != r.to) return false;
    }
    return true;
  }
};

TEST_F(TrendsWindowTest, ViewsShowTheirSpanUpToTheNewestSampleAndPauseHoldsStillWhileRecordingGoesOn) {
  Record();
  Open();
  const std::int64_t last = store.LastMicros();
  const struct {
    const char* button;
    std::int64_t from;
  } views[] = {{"BTN_10dk", last - 10 * kMinute},
               {"BTN_1sa", last - 60 * kMinute},
               {"BTN_Tumu", 0},
               {"BTN_1dk", last - kMinute}};
  for (const auto& v : views) {
    Click(v.button);
    EXPECT_EQ(window->Visible().from, v.from) << v.button;
    EXPECT_EQ(window->Visible().to, last) << v.button;
    EXPECT_TRUE(AllPlotsShow(window->Visible())) << v.button;
  }

  Click("BTN_Duraklat");
  Record(last + kSecond, 30);
  window->Refresh();
  EXPECT_EQ(window->Visible().to, last) << "paused: the view holds still";
  Click("BTN_Duraklat");
  window->Refresh();
  EXPECT_EQ(window->Visible().to, store.LastMicros()) << "going on follows the recording again";
  EXPECT_TRUE(AllPlotsShow(window->Visible()));

  Click("BTN_Tumu");
  Click("BTN_Duraklat");
  Click("BTN_Duraklat");
  Record(store.LastMicros() + kSecond, 30);
  window->Refresh();
  EXPECT_EQ(window->Visible().from, 0) << "everything, still, after a pause";
  EXPECT_EQ(window->Visible().to, store.LastMicros());
}

TEST_F(TrendsWindowTest, TheWheelZoomsAboutTheMouseAndPausesTheView) {
  Record();
  Open();
  Click("BTN_10dk");
  monitor::TrendPlot& plot = MainsPlot();
  const monitor::TimeRange before = window->Visible();
  const QRect area = plot.PlotArea();
  const QPointF middle(area.left() + area.width() / 2.0, area.center().y());
  const std::int64_t atMouse = plot.TimeAt(middle.x());
  QWheelEvent wheel(middle, plot.mapToGlobal(middle), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&plot, &wheel);

  const monitor::TimeRange after = window->Visible();
  EXPECT_LT(after.to - after.from, before.to - before.from);
  EXPECT_NEAR(static_cast<double>(plot.TimeAt(middle.x())), static_cast<double>(atMouse), 2.0 * kSecond);
  EXPECT_TRUE(Child<QPushButton>(*window, QStringLiteral("BTN_Duraklat")).isChecked());
}

TEST_F(TrendsWindowTest, TheCursorReadsOutTheValuesAndStatesAtItsTime) {
  Record();
  Open();
  Click("BTN_1sa");
  monitor::TrendPlot& plot = MainsPlot();
  for (const auto& [at, text] :
       {std::pair{store.LastMicros() - 5 * kSecond, "CPU şebeke gerilimi 240.00 V"},
        std::pair{store.LastMicros() - 30 * kMinute, "CPU şebeke gerilimi 230.00 V"}}) {
    const QPointF pos(plot.XOf(at) + 0.5, plot.PlotArea().center().y());
    QMouseEvent move(QEvent::MouseMove, pos, plot.mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&plot, &move);
    const std::string readout = TextOf(Child(*window, QStringLiteral("LBL_Imlec")));
    EXPECT_NE(readout.find(text), std::string::npos) << readout;
    EXPECT_NE(readout.find("CPU Run"), std::string::npos) << readout;
  }
}

TEST_F(TrendsWindowTest, AKnownSeriesIsDrawnAtItsPixels) {
  Record();
  Open();
  Click("BTN_1sa");
  monitor::TrendPlot& plot = MainsPlot();
  const QImage image = plot.grab().toImage();
  ASSERT_FALSE(plot.Lines().empty());
  const QColor line = plot.Lines().front().colour;
  // The step from 230 V to 240 V ten minutes before the end: low before, high after.
  const auto drawnAt = [&](std::int64_t t, double volts) {
    const int x = static_cast<int>(plot.XOf(t));
    const int y = static_cast<int>(std::lround(plot.YOf(volts)));
    for (int dy = -1; dy <= 1; ++dy) {
      if (image.pixelColor(x, y + dy) == line) return true;
    }
    return false;
  };
  const std::int64_t last = store.LastMicros();
  EXPECT_TRUE(drawnAt(last - 30 * kMinute, 230.0));
  EXPECT_FALSE(drawnAt(last - 30 * kMinute, 240.0));
  EXPECT_TRUE(drawnAt(last - 5 * kMinute, 240.0));
  EXPECT_FALSE(drawnAt(last - 5 * kMinute, 230.0));
  EXPECT_LE(plot.ScaleLow(), 230.0);
  EXPECT_GE(plot.ScaleHigh(), 240.0);
}

TEST_F(TrendsWindowTest, CsvGoesToTheChosenFileAndAFailureToTheStatusLine) {
  Open();
  QSignalSpy status(window.get(), &TrendsWindow::statusMessage);
  window->AskCsvPath = [] { return QStringLiteral("/nowhere/at/all.csv"); };
  Click("BTN_CsvKaydet");
  ASSERT_EQ(status.count(), 1);
  EXPECT_TRUE(status.takeFirst().at(0).toString().startsWith(QStringLiteral("Kaydedilecek eğilim yok")));

  Record(0, 10);
  window->AskCsvPath = [] { return QStringLiteral("/nowhere/at/all.csv"); };
  Click("BTN_CsvKaydet");
  ASSERT_EQ(status.count(), 1);
  EXPECT_TRUE(status.takeFirst().at(0).toString().startsWith(QStringLiteral("Eğilimler kaydedilemedi")));

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("e.csv"));
  window->AskCsvPath = [path] { return path; };
  Click("BTN_CsvKaydet");
  ASSERT_EQ(status.count(), 1);
  EXPECT_TRUE(status.takeFirst().at(0).toString().startsWith(QStringLiteral("Eğilimler kaydedildi")));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = file.readAll().split('\n');
  EXPECT_EQ(lines.size(), 2 + 10 + 1) << "two header lines, one row a sample";
  EXPECT_TRUE(lines[2].startsWith("2024-03-05 14:")) << lines[2].toStdString();
}

}  // namespace
