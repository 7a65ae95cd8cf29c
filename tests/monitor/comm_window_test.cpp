// The communication window as the engineer sees it, over a real pseudo-terminal.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "monitor/comm_window.h"
#include "monitor/status_led.h"
#include "qtlink/qt_clock.h"
#include "tests/qtlink/pty_pair.h"
#include "tests/qtlink/qt_wait.h"
#include "views_app.h"

namespace {

using kxtest::Child;

using qttest::WaitUntil;

class RecordingSink : public monitor::EventLogSink {
 public:
  QStringList printed;
  int jobs = 0;
  QString Print(const QStringList& lines) override {
    printed = lines;
    ++jobs;
    return {};
  }
};

// One event-log record in the image, as the controller stores it.
void PutRecord(program::ProgramImage& image, std::size_t slot, int number, int type, int card, int code,
               int a, int b) {
  const std::size_t at = 0xF000 + 16 * slot;
  const int bytes[16] = {number >> 8, number & 0xFF, 2024 >> 8, 2024 & 0xFF, 3, 5, 14, 7, 9,
                         type, code, card, a >> 8, a & 0xFF, b >> 8, b & 0xFF};
  for (int i = 0; i < 16; ++i) image[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bytes[i]);
}

class CommWindow : public kxtest::ViewTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    image = std::make_unique<program::ProgramImage>();
    model = std::make_unique<program::EditorModel>();
    shared.PortNumber = 6;
  }
  void Open(const QString& device) {
    window = std::make_unique<monitor::Frm_T_24VOC>(clock, bus::LinkTables{regs, shared, flags, *image, *model}, device);
    window->SetPrintSink(&sink);
  }
  void OpenOnPty() {
    pty = std::make_unique<qttest::PtyPair>(std::filesystem::path(dir.path().toStdString()) / "ttyKX");
    if (!pty->ok()) GTEST_SKIP() << "no pseudo-terminal here";
    Open(QString::fromStdString(pty->Link().string()));
  }
  void GoOnline() {
    Child<QPushButton>(*window, "cmd_RUN").click();
    ASSERT_TRUE(WaitUntil([&] { return window->Link().PortOpen(); }));
    window->SCR_Refresh_Timer_Tick();
  }
  QPushButton& Button(const char* name) { return Child<QPushButton>(*window, name); }
  QString Text(const char* name) { return Child<QLabel>(*window, name).text(); }
  QColor Led() { return Child<monitor::StatusLed>(*window, "MB_Status_Led").Color(); }

  QTemporaryDir dir;
  qtlink::QtClock clock{QLocale(QLocale::Turkish, QLocale::Turkey)};
  bus::RegisterImage regs;
  bus::LinkShared shared;
  bus::ViewFlags flags;
  std::unique_ptr<program::ProgramImage> image;
  std::unique_ptr<program::EditorModel> model;
  RecordingSink sink;
  std::unique_ptr<qttest::PtyPair> pty;
  std::unique_ptr<monitor::Frm_T_24VOC> window;
};

TEST_F(CommWindow, FirstViewAndTheMissingPort) {
  Open(QStringLiteral("/nonexistent/ttyKX"));
  EXPECT_EQ(window->windowTitle(), "İletişim");
  EXPECT_EQ(Button("cmd_RUN").text(), "ONLINE");
  EXPECT_EQ(Text("Label1"), "6") << "the spinner takes the port number from the settings";
  EXPECT_EQ(Child<QSpinBox>(*window, "UpDown1").value(), 6);
  EXPECT_EQ(Text("L_Comm_Status"), "xxx");
  EXPECT_EQ(Text("Label2"), "----");
  EXPECT_EQ(Text("MB_Status_LBL"), "----");
  EXPECT_EQ(Text("LBL_CPU_rtc"), "CPU_RTC");
  EXPECT_EQ(Text("LBL_PC_rtc"), "PC_RTC");
  EXPECT_EQ(Text("LBL_COMM_ANI_9"), "PC");
  EXPECT_EQ(Text("LBL_COMM_ANI_11"), "DED");
  const auto& memory = Child<QComboBox>(*window, "Combo1");
  ASSERT_EQ(memory.count(), 2);
  EXPECT_EQ(memory.itemText(0), "Sistem Hafizasi");
  EXPECT_EQ(memory.currentIndex(), 1);
  const auto& services = Child<QComboBox>(*window, "Combo_Service_Commands");
  ASSERT_EQ(services.count(), 5);
  EXPECT_EQ(services.itemText(2), "Reset Alarm List");
  EXPECT_EQ(services.currentIndex(), 0);
  const auto& tabs = Child<QTabWidget>(*window, "SSTab1");
  QStringList titles;
  for (int i = 0; i < tabs.count(); ++i) titles << tabs.tabText(i);
  EXPECT_EQ(titles, QStringList({"CPU Okuma İslemleri", "Özel Komutlar", "Program Yükleme İşlemleri", "Saat"}));

  window->SCR_Refresh_Timer_Tick();
  EXPECT_EQ(Led(), QColor(255, 0, 0));
  EXPECT_FALSE(tabs.isEnabled()) << "no commands while the port is closed";

  Button("cmd_RUN").click();
  EXPECT_EQ(Button("cmd_RUN").text(), "OFFLINE");
  EXPECT_FALSE(Child<QSpinBox>(*window, "UpDown1").isEnabled());
  ASSERT_TRUE(WaitUntil([&] { return Text("L_Comm_Status").contains("/nonexistent/ttyKX"); }))
      << Text("L_Comm_Status").toStdString();
  window->SCR_Refresh_Timer_Tick();
  EXPECT_EQ(Led(), QColor(255, 0, 0)) << "the opening error leaves the LED red";

  Button("cmd_RUN").click();
  EXPECT_EQ(Text("L_Comm_Status"), "STATUS");
}

TEST_F(CommWindow, OpenPortEnablesCommandsAndShowsFrames) {
  OpenOnPty();
  GoOnline();
  EXPECT_EQ(Led(), QColor(0, 255, 0));
  EXPECT_TRUE(Child<QTabWidget>(*window, "SSTab1").isEnabled());
  pty->Send(":10030000ED\r\n");
  ASSERT_TRUE(WaitUntil([&] { return !Child<QLineEdit>(*window, "MB_TX_LBL").text().isEmpty(); }));
  EXPECT_EQ(Child<QLineEdit>(*window, "MB_TX_LBL").text(), ":010320000010CC (17)");
  EXPECT_EQ(Child<QLineEdit>(*window, "MB_RX_LBL").text(), ":10030000ED");
}

TEST_F(CommWindow, EventLogReadDecodePrint) {
  OpenOnPty();
  GoOnline();
  PutRecord(*image, 0, 12, 1, 3, 6, 0x0010, 0x0000);
  PutRecord(*image, 2, 256, 0, 0, 9, 0, 0);  // slot 1 stays empty
  (*image)[0xFFF0] = 0x01;
  (*image)[0xFFF1] = 0x02;

  Button("BTN_Hata_Oku").click();
  EXPECT_FALSE(Button("BTN_Hata_Oku").isEnabled());
  EXPECT_EQ(Button("BTN_Hata_Oku").text(), "Okunuyor");
  EXPECT_EQ(shared.RequestCode, 300);
  window->SCR_Refresh_Timer_Tick();
  EXPECT_EQ(Child<QListWidget>(*window, "Alarm_List_Box").count(), 0) << "nothing decoded while reading";

  shared.LogReading = false;  // the decoder's doing when the last block arrives
  window->SCR_Refresh_Timer_Tick();
  const auto& list = Child<QListWidget>(*window, "Alarm_List_Box");
  ASSERT_EQ(list.count(), 2);
  EXPECT_EQ(list.item(0)->text(), "No:0012(2024/03/05 14:07:09) Triyak_3 Kartı: Kırmızı flaman kopuğu [0010-0000]");
  EXPECT_EQ(list.item(1)->text(), "No:0256(2024/03/05 14:07:09) Alarm: ");
  EXPECT_EQ(Text("LBL_Hata_Sayisi"), "258");
  EXPECT_TRUE(Button("BTN_Hata_Oku").isEnabled());
  EXPECT_EQ(Button("BTN_Hata_Oku").text(), "Oku");
  ASSERT_TRUE(Button("BTN_Hata_Yazdir").isEnabled());

  Button("BTN_Hata_Yazdir").click();
  EXPECT_EQ(sink.jobs, 1);
  EXPECT_EQ(sink.printed.size(), 2) << "one printed line per record";
  EXPECT_EQ(sink.printed.at(0), list.item(0)->text());
}

TEST_F(CommWindow, LinkButtonEndsAStuckLogRead) {
  OpenOnPty();
  GoOnline();
  Button("BTN_Hata_Oku").click();
  ASSERT_FALSE(Button("BTN_Hata_Oku").isEnabled());
  Button("cmd_RUN").click();  // off: the read can never end now
  EXPECT_FALSE(shared.LogReading);
  EXPECT_TRUE(Button("BTN_Hata_Oku").isEnabled());
  EXPECT_EQ(Button("BTN_Hata_Oku").text(), "Oku");
  window->SCR_Refresh_Timer_Tick();
  EXPECT_TRUE(Button("BTN_Hata_Oku").isEnabled());
}

TEST_F(CommWindow, CommandsStoreTheirRequests) {
  OpenOnPty();
  GoOnline();
  Child<QComboBox>(*window, "Combo_Service_Commands").setCurrentIndex(4);
  Button("Service_cmd").click();
  EXPECT_EQ(shared.RequestCode, 1005);
  Button("RTC_Esitle").click();
  EXPECT_EQ(shared.RequestCode, 100);
  Child<QComboBox>(*window, "Combo1").setCurrentIndex(0);
  Button("PGM_Download").click();
  EXPECT_EQ(shared.RequestCode, 200);

  // The port goes away: the commands are out of reach, and a read is refused.
  pty->Unplug();
  ASSERT_TRUE(WaitUntil([&] { return !window->Link().PortOpen(); }));
  window->SCR_Refresh_Timer_Tick();
  EXPECT_FALSE(Button("BTN_Hata_Oku").isEnabled() && Child<QTabWidget>(*window, "SSTab1").isEnabled());
  shared.RequestCode = 0;
  EXPECT_FALSE(window->Link().BTN_Hata_Oku());
  EXPECT_FALSE(window->Link().PGM_Upload());
  EXPECT_EQ(shared.RequestCode, 0);
}

TEST_F(CommWindow, TransferProgressShowsBlocksAndTime) {
  OpenOnPty();
  GoOnline();
  for (std::size_t a = 0; a < 0xB000; ++a) (*image)[a] = 0xFF;
  Button("PGM_Download").click();
  EXPECT_EQ(shared.RequestCode, 1006);
  EXPECT_EQ((*image)[0xB000], 0x50) << "the checksum goes into the image before the blocks";
  EXPECT_EQ((*image)[0xB001], 0x00);
  auto& bar = Child<QProgressBar>(*window, "TransferProgress");
  EXPECT_EQ(bar.maximum(), 353);
  EXPECT_EQ(bar.value(), 0);
  shared.RequestCode = 220;
  shared.TransferAddress = 128 * 40;
  window->SCR_Refresh_Timer_Tick();
  EXPECT_EQ(bar.value(), 40);
  EXPECT_TRUE(Text("TransferElapsed").contains("40 / 353")) << Text("TransferElapsed").toStdString();

  shared.RequestCode = 0;
  window->SCR_Refresh_Timer_Tick();
  EXPECT_EQ(bar.value(), 40) << "the last figures stay until the next transfer";
  Button("PGM_Upload").click();
  EXPECT_EQ(Button("BTN_Hata_Oku").text(), "CPU Okunuyor");
  EXPECT_EQ(bar.maximum(), 512);
  EXPECT_EQ(bar.value(), 0);
}

TEST(EventLogPrinting, PdfGetsOneLinePerRecord) {
  kxtest::EnsureApplication();
  QTemporaryDir dir;
  const QString file = dir.filePath("log.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  QStringList lines;
  for (int i = 0; i < 255; ++i) lines << QStringLiteral("No:%1 Alarm: ").arg(i, 4, 10, QLatin1Char('0'));
  EXPECT_EQ(monitor::PrintLines(lines, printer), "");
  QFile pdf(file);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_GE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page>>") + bytes.count("/Type /Page "), 1);
}

}  // namespace
