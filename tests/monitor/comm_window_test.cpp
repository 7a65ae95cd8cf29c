// The communication window as the engineer sees it, over a scripted port and clock.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include "monitor/abandon_question.h"
#include "monitor/comm_window.h"
#include "monitor/harm_question.h"
#include "question_answerer.h"
#include "tests/link/fakes.h"
#include "views_app.h"

namespace {

using kxtest::Child;

struct RecordingSink : monitor::EventLogSink {
  monitor::EventLogReport report;
  QString Print(const monitor::EventLogReport& r) override {
    report = r;
    return {};
  }
};

// One event-log record in the image, as the controller stores it.
void PutRecord(program::ProgramImage& image, std::size_t slot, int number, int type, int card, int code,
               int a, int b) {
  const std::size_t at = 0xF000 + 16 * slot;
  const int bytes[16] = {number >> 8, number & 0xFF, 2024 >> 8, 2024 & 0xFF, 3,        5,      14,      7, 9,
                         type,        code,          card,      a >> 8,      a & 0xFF, b >> 8, b & 0xFF};
  for (int i = 0; i < 16; ++i) image[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bytes[i]);
}

class CommWindow : public kxtest::ViewTest {
 protected:
  void SetUp() override {
    shared.PortNumber = 6;
    auto fake = std::make_unique<kxtest::FakePort>();
    port = fake.get();
    window = std::make_unique<monitor::Frm_T_24VOC>(std::move(fake), clock, *tables);
    window->SetPrintSink(&sink);
    window->AskHarm = [this](const QString& q) {
      questions << q;
      return answer;
    };
    QObject::connect(window.get(), &monitor::Frm_T_24VOC::verifyDifferences, [this](const auto& differences) {
      for (const program::ImageDifference& d : differences) listed << QString::fromStdString(d.text);
    });
    QObject::connect(window.get(), &monitor::Frm_T_24VOC::statusMessage,
                     [this](const QString& t) { said = t; });
  }
  void Tick() {
    clock.ms += 10;
    window->Link().Timer1Tick();
    window->SCR_Refresh_Timer_Tick();
  }
  void GoOnline() {
    Button("cmd_RUN").click();
    Tick();
  }
  // One PC turn past the send gap; what the PC sent back, if anything.
  std::string Turn() {
    const std::size_t before = port->written.size();
    clock.ms += 30;
    port->Receive(kxtest::PcTurnFrame());
    Tick();
    return port->written.size() > before ? port->written.back() : std::string();
  }
  // PC turns, each answered by the controller: a block of its memory, or a write's acknowledgement.
  void Turns(int n, bool reading) {
    for (int turn = 0; turn < n; ++turn) {
      Turn();
      const int a = shared.TransferAddress;
      std::vector<int> b = {1, reading ? 0xCF : 0xD0, reading ? 0 : 1, 4, (a >> 8) & 0xFF, a & 0xFF, 0, 0x80};
      for (int i = 0; reading && i < 128; ++i) b.push_back((*controller)[static_cast<std::size_t>(a + i)]);
      port->Receive(kxtest::Frame(b));
    }
  }
  QPushButton& Button(const char* name) { return Child<QPushButton>(*window, name); }
  QString Text(const char* name) { return Child<QLabel>(*window, name).text(); }

  kxtest::FakeClock clock;
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  bus::LinkShared& shared = tables->shared;
  program::ProgramImage& image = tables->image;
  // The memory the controller reads from.
  std::unique_ptr<program::ProgramImage> controller = std::make_unique<program::ProgramImage>();
  RecordingSink sink;
  QStringList questions, listed;  // asked; differences a verify listed
  QString said;                   // the last status message
  bool answer = true;
  kxtest::FakePort* port = nullptr;
  std::unique_ptr<monitor::Frm_T_24VOC> window;
};

TEST_F(CommWindow, FirstViewTheMissingPortFramesRefusedLinesAndTheQuestionsOfServiceCommands) {
  EXPECT_EQ(Text("Label1"), "6") << "the spinner takes the port number from the settings";
  EXPECT_FALSE(Child<QTabWidget>(*window, "SSTab1").isEnabled()) << "no commands while the port is closed";

  port->present = false;
  GoOnline();
  EXPECT_EQ(Text("L_Comm_Status"), "Seri port bulunamadı: 6");

  // Plugged in, the port opens at the next tick: frames and refused lines show, no log before a read.
  port->present = true;
  PutRecord(image, 0, 7, 0, 0, 1, 0, 0);  // a project's memory holds a log from elsewhere
  image[0xFFF1] = 7;
  Tick();
  EXPECT_TRUE(Child<QTabWidget>(*window, "SSTab1").isEnabled());
  Turn();
  EXPECT_EQ(
      Child<QLineEdit>(*window, "MB_TX_LBL").text() + " " + Child<QLineEdit>(*window, "MB_RX_LBL").text(),
      ":010320000010CC (17) :10030000ED");
  port->Receive(":0103ZZ\r\n");
  Tick();
  EXPECT_EQ(Text("MB_RX_Refused"), "Reddedilen: 1");
  EXPECT_EQ(Child<QTreeWidget>(*window, "Alarm_List_Box").topLevelItemCount(), 0);

  // Which service commands ask first, and that "Hayır" sends nothing.
  const char* asked[] = {nullptr, monitor::kResetParametersQuestion, monitor::kResetAlarmListQuestion,
                         nullptr, monitor::kResetProgramChipQuestion};  // by the list's index
  for (int index = 0; index < 5; ++index) {
    for (bool yes : {false, true}) {
      questions.clear();
      answer = yes;
      Child<QComboBox>(*window, "Combo_Service_Commands").setCurrentIndex(index);
      Button("Service_cmd").click();
      EXPECT_EQ(questions, asked[index] ? QStringList(QString::fromUtf8(asked[index])) : QStringList())
          << index;
      EXPECT_EQ(shared.RequestCode == 1001 + index, yes || !asked[index]) << index << " answered " << yes;
      shared.RequestCode = 0;
    }
  }
  questions.clear();
  Button("RTC_Esitle").click();
  Button("BTN_Hata_Oku").click();
  EXPECT_TRUE(questions.isEmpty()) << "the clock and reads ask nothing";
}

TEST_F(CommWindow, EventLogReadDecodePrint) {
  GoOnline();
  PutRecord(*controller, 0, 12, 1, 3, 6, 0x0010, 0x0000);
  PutRecord(*controller, 2, 256, 0, 0, 9, 0, 0);  // slot 1 stays empty
  (*controller)[0xFFF0] = 0x01;
  (*controller)[0xFFF1] = 0x02;
  PutRecord(image, 3, 99, 0, 0, 1, 0, 0);  // what the PC held before is not decoded

  Button("BTN_Hata_Oku").click();
  Turns(32, true);
  auto& list = Child<QTreeWidget>(*window, "Alarm_List_Box");
  ASSERT_EQ(list.topLevelItemCount(), 2);
  const auto line = [&](int row) {
    return list.topLevelItem(row)->data(0, monitor::Frm_T_24VOC::kWholeLineRole).toString();
  };
  EXPECT_EQ(line(0), "No:0012(2024/03/05 14:07:09) Triyak_3 Kartı: Kırmızı flaman kopuğu [0010-0000]");
  EXPECT_EQ(line(1), "No:0256(2024/03/05 14:07:09) Alarm: ");
  EXPECT_EQ(Text("LBL_Hata_Sayisi"), "258");
  EXPECT_TRUE(Button("BTN_Hata_Oku").isEnabled());
  ASSERT_TRUE(Button("BTN_Hata_Yazdir").isEnabled());

  Button("BTN_Hata_Yazdir").click();
  EXPECT_EQ(sink.report.lines, QStringList({line(0), line(1)})) << "one printed line per record";
  EXPECT_EQ(sink.report.total, "258");
  EXPECT_EQ(sink.report.controllerClock, Text("LBL_CPU_rtc"));

  // A new read empties the list and its total until it ends.
  Button("BTN_Hata_Oku").click();
  Tick();
  EXPECT_EQ(std::pair(list.topLevelItemCount(), Text("LBL_Hata_Sayisi")), std::pair(0, QString()));
  EXPECT_FALSE(Button("BTN_Hata_Yazdir").isEnabled()) << "nothing to print";
  // The link button ends a read that can never end now.
  Button("cmd_RUN").click();
  EXPECT_TRUE(Button("BTN_Hata_Oku").isEnabled());
  EXPECT_EQ(list.topLevelItemCount(), 0) << "an unfinished read is not decoded";
}

TEST_F(CommWindow, ADownloadLocksTheCommandsAndIsNeverStoppedUnasked) {
  GoOnline();
  answer = false;
  Button("PGM_Download").click();
  EXPECT_EQ(questions, QStringList(QString::fromUtf8(monitor::kProgramDownloadQuestion)));
  EXPECT_EQ(Turn().substr(0, 5), ":0103") << "refused: the poll goes on";
  answer = true;
  Button("PGM_Download").click();
  for (const char* name :
       {"BTN_Hata_Oku", "Service_cmd", "RTC_Esitle", "PGM_Download", "PGM_Upload", "BTN_Dogrula"})
    EXPECT_FALSE(Button(name).isEnabled()) << name;
  Turn();
  Turns(67, false);
  {
    kxtest::QuestionAnswerer no("Hayir");
    Button("cmd_RUN").click();
    EXPECT_FALSE(window->close());
    EXPECT_EQ(no.count, 2) << "the link button and closing the window both ask";
    EXPECT_EQ(no.text, QString::fromUtf8(monitor::kAbandonDownloadQuestion));
  }
  EXPECT_TRUE(window->Link().DownloadRunning()) << "No keeps it running";
  {
    kxtest::QuestionAnswerer yes("Evet");
    Button("cmd_RUN").click();
    EXPECT_EQ(yes.count, 1);
  }
  Tick();
  EXPECT_FALSE(window->Link().DownloadRunning());
  EXPECT_EQ(Text("Label2"), "Program yüklemesi yarıda kaldı (blok 67 / 353): yüklemeyi yeniden başlatın");
  EXPECT_TRUE(Button("PGM_Download").isEnabledTo(&Child<QTabWidget>(*window, "SSTab1")));

  // What "Doğrula" tells after a whole download when the controller holds, or does not hold, its program.
  GoOnline();
  image[0x0085] = 180;  // PR02
  Button("PGM_Download").click();
  Turns(2 + static_cast<int>(program::kDownloadEnd) / 128, false);  // the end command at the last turn
  EXPECT_TRUE(Text("TransferResult").contains("Doğrula'ya basın")) << Text("TransferResult").toStdString();
  *controller = image;  // with the checksum the download wrote

  const struct {
    int controllerPr02;
    int projectPr02;  // an edit made while the read runs: the project as the read began counts
    int blocks;       // answered before the link is switched off
    const char* result;
    QStringList listed;
  } cases[] = {
      {180, 200, 512, "Doğrulandı: kontrolördeki program projedekiyle birebir aynı", {}},
      {190, 180, 512, "Doğrulama: kontrolördeki program projedekinden farklı, 1 fark", {"PR02: 180 -> 190"}},
      {190, 180, 10, "Doğrulama okuması yarıda kesildi: karşılaştırma yapılmadı", {}},
  };
  for (const auto& c : cases) {
    listed.clear();
    (*controller)[0x0085] = static_cast<std::uint8_t>(c.controllerPr02);
    Button("BTN_Dogrula").click();
    EXPECT_FALSE(Button("BTN_Dogrula").isEnabled()) << "a second read would abandon this one";
    image[0x0085] = static_cast<std::uint8_t>(c.projectPr02);
    Turns(c.blocks, true);
    if (c.blocks < 512) Button("cmd_RUN").click();
    EXPECT_EQ(QStringList({Text("TransferResult"), said}), QStringList({c.result, c.result}));
    EXPECT_EQ(listed, c.listed) << c.result;
    image[0x0085] = 180;
  }
  EXPECT_TRUE(window->close()) << "nothing runs: closing asks nothing";
}

TEST(EventLogPrinting, EveryPageSaysWhoseLogAndWhichPage) {
  monitor::EventLogReport r{"C:/kavsak.prj", "05.03.2024 14:07:09 Salı", "07.12.2026 12:00", "258", {}};
  const QString all = monitor::EventLogPageHeader(r, 2, 3).join('\n');
  for (const char* part :
       {"C:/kavsak.prj", "05.03.2024 14:07:09 Salı", "07.12.2026 12:00", "= 258", "Sayfa 2 / 3"}) {
    EXPECT_TRUE(all.contains(QString::fromUtf8(part))) << part;
  }
  // A page too small still holds a line.
  EXPECT_EQ((std::vector<int>{monitor::EventLogPages(0, 60), monitor::EventLogPages(60, 60),
                              monitor::EventLogPages(61, 60), monitor::EventLogPages(5, 0)}),
            (std::vector<int>{1, 1, 2, 5}));
}

}  // namespace
