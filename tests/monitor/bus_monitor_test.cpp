// The bus monitor as the engineer sees it.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

#include "monitor/bus_line_model.h"
#include "monitor/bus_monitor_window.h"
#include "monitor/bus_recording.h"
#include "tests/link/fakes.h"
#include "views_app.h"

namespace {

using kxtest::Child;
using kxtest::Frame;
using Col = monitor::BusLineModel::Column;

const std::string kCard3 = Frame(kxtest::Words({0x22, 0xCE}, {2, 0, 0x4321, 0, 380, 450, 390, 380, 2400}));
const std::string kGps = Frame(kxtest::Words({0x13, 0x03, 0x10}, {1, 4, 0, 8, 1, 1, 2024, 0, 0}));
const std::string kBadLrc = ":22CE0002000000\r\n";

class BusMonitor : public kxtest::ViewTest {
 protected:
  void Heard(const std::string& line) { events.Emit(bus::LineReceived{line, bus::LineVerdict::Taken}); }
  void Sent(const std::string& frame) { events.Emit(bus::FrameWritten{bus::LineBody(frame), 0, 0}); }
  void Traffic() {
    Heard(kCard3);
    Heard(kBadLrc);
    Heard(kGps);
    Sent(kxtest::PcTurnFrame());
    Heard(kCard3);
    window.RefreshRows();
    window.RefreshCounters();
  }
  QString Cell(int row, Col column) { return model.index(row, column).data().toString(); }

  bus::LinkEvents events;
  monitor::BusRecording recording{events};
  monitor::BusMonitorWindow window{recording};
  monitor::BusLineModel& model = window.Model();
};

TEST_F(BusMonitor, ShowsEveryLineWithItsMeaningFiltersAndPauses) {
  Traffic();
  ASSERT_EQ(model.rowCount(), 5);
  EXPECT_EQ(QStringList({Cell(0, Col::Device), Cell(0, Col::Function), Cell(0, Col::Direction),
                         Cell(3, Col::Direction), Cell(1, Col::Meaning)}),
            QStringList({"K3", "Kart durumu", "hat → PC", "PC → hat",
                         QString::fromStdString(bus::LineFaultText(bus::LineFault::BadLrc))}));

  auto& device = Child<QComboBox>(window, "Cihaz_Filtre");
  auto& function = Child<QComboBox>(window, "Islev_Filtre");
  auto& search = Child<QLineEdit>(window, "Arama");
  auto& refused = Child<QCheckBox>(window, "Reddedilenler");
  const struct {
    QString device;
    int function;  // -1: any
    QString text;
    bool refusedOnly;
    int rows;
  } cases[] = {{"K3", -1, "", false, 3},     {"GPS", 206, "", false, 0}, {"", 3, "", false, 2},
               {"", -1, "ce0002", false, 3}, {"", -1, "", true, 1},  // the filters' rules: FilteredLines
               {"", -1, "", false, 5}};
  for (const auto& c : cases) {
    device.setCurrentIndex(c.device.isEmpty() ? 0 : device.findText(c.device));
    function.setCurrentIndex(function.findData(c.function));
    search.setText(c.text);
    refused.setChecked(c.refusedOnly);
    EXPECT_EQ(model.rowCount(), c.rows)
        << c.device.toStdString() << " " << c.function << " " << c.text.toStdString();
  }

  // Paused, the rows hold still while the recording and the counters go on.
  auto& pause = Child<QPushButton>(window, "Duraklat");
  pause.click();
  Traffic();
  EXPECT_EQ(std::pair(model.rowCount(), recording.Store().Size()), std::pair(5, std::size_t{10}));

  auto& counters = Child<QTableWidget>(window, "Sayaclar");
  std::map<QString, int> row;
  for (int r = 0; r < counters.rowCount(); ++r) row[counters.item(r, 0)->text()] = r;
  ASSERT_TRUE(row.contains("K3"));
  EXPECT_EQ(counters.item(row["K3"], 1)->text() + " " + counters.item(row["K3"], 2)->text(), "4 2");

  pause.click();
  EXPECT_EQ(model.rowCount(), 10);
}

TEST_F(BusMonitor, CaptureFromTheWindowWritesTheLinesAndAFolderThatIsGoneIsSaid) {
  QTemporaryDir dir;
  QSignalSpy status(&recording, &monitor::BusRecording::statusMessage);
  auto& capture = Child<QPushButton>(window, "Yakalama");
  window.chooseCaptureFile = [&] { return dir.filePath("yok/hat.kxcap"); };
  capture.click();
  EXPECT_FALSE(recording.Capturing());
  ASSERT_EQ(status.count(), 1);
  EXPECT_TRUE(status.last().at(0).toString().startsWith("Yakalama başlamadı: "));

  const QString path = dir.filePath("hat.kxcap");
  window.chooseCaptureFile = [&] { return path; };
  capture.click();
  ASSERT_TRUE(recording.Capturing());
  Traffic();
  capture.click();
  EXPECT_EQ(capture.text(), "Yakalamayı Başlat");
  EXPECT_EQ(status.last().at(0).toString(), "Yakalama bitti: 5 satır, hat.kxcap");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().split('\n').size(), 7) << "header, five lines, nothing after the last CR LF";
}

}  // namespace
