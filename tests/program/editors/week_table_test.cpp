#include <QLocale>
#include <QTimeEdit>

#include "editor_fixture.h"
#include "monitor/twips.h"
#include "program/editors/time_table_entry.h"

namespace {

using program::editors::Zaman_tablo_edit1;
using program::testing::SetWeekEntry;

struct WeekTable : kxtest::EditorTest {
  void SetUp() override { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
  void TearDown() override { QLocale::setDefault(QLocale::c()); }
  Zaman_tablo_edit1& Zte() const { return Find<Zaman_tablo_edit1>("ZTE_1"); }
  QComboBox& Codes() const { return kxtest::Child<QComboBox>(Zte(), QStringLiteral("Combo1")); }
  void OpenOnWeekTab() {
    Open();
    Find<QTabWidget>("SSTab1").setCurrentIndex(program::editors::Program_EDIT::kHaftalik);
  }
};

TEST_F(WeekTable, EntryWidgetLiesOnTheClickedCellAndWritesBackOnLeaving) {
  SetWeekEntry(*model, 1, 4, 6, 15, 2);
  SetWeekEntry(*model, 2, 0, 9, 0, 14);
  OpenOnWeekTab();
  Click(WeekGrid(), 4, 1);
  ASSERT_TRUE(Zte().isVisible());
  EXPECT_EQ(Zte().geometry().topLeft(), WeekGrid().visualRect(WeekGrid().model()->index(4, 1)).topLeft());
  EXPECT_EQ(WeekGrid().rowHeight(4), Zte().height());
  EXPECT_EQ(Zte().Text(), "06:15 P-02");

  Codes().setCurrentIndex(11);
  Click(WeekGrid(), 0, 2);  // the code-14 entry: entered and left without a change
  EXPECT_EQ(WeekGrid().model()->index(4, 1).data().toString(), "06:15 P-FL");
  Click(WeekGrid(), 1, 2);
  // A header click hides the widget.
  QTest::mouseClick(WeekGrid().horizontalHeader()->viewport(), Qt::LeftButton, {},
                    QPoint(WeekGrid().columnViewportPosition(3) + 5, 5));
  EXPECT_FALSE(Zte().isVisible());
  editor->DegisiklikleriKaydet();
  EXPECT_EQ((std::vector<int>{model->WeekTable[1][18], model->WeekTable[2][2]}), (std::vector<int>{17, 14}));
}

TEST_F(WeekTable, SaveKeepsWhatTheOpenEntryWidgetHolds) {
  SetWeekEntry(*model, 4, 7, 12, 0, 1);
  OpenOnWeekTab();
  Click(WeekGrid(), 7, 4);
  Codes().setCurrentIndex(9);
  editor->DegisiklikleriKaydet();
  EXPECT_EQ((*image)[0x9000 + 128 * 4 + 30], 9);
}

struct TimeTableEntry : ::testing::Test {
  static void SetUpTestSuite() { kxtest::EnsureApplication(); }
  Zaman_tablo_edit1 zte;
  QComboBox& List() { return kxtest::Child<QComboBox>(zte, QStringLiteral("Combo1")); }
  QTimeEdit& Picker() { return kxtest::Child<QTimeEdit>(zte, QStringLiteral("DTPicker1")); }
};

TEST_F(TimeTableEntry, TextsShowInBothControlsAndWhatTheyCannotShowIsKeptUntilChanged) {
  // {set, read back, shown in the list, code}: codes 11-16 have no text; a project file's hour 200 is kept.
  const struct {
    const char *set, *text, *shown;
    int code;
  } cases[] = {{"07:45 P-03", "07:45 P-03", "03", 3}, {"23:05 P-FL", "23:05 P-FL", "FL", 17},
               {"00:00 P---", "00:00 P---", "--", 0}, {"06:30 P-20", "06:30 P---", "--", 0},
               {"07:05 P-", "07:05 P-", "", -1},      {"200:07 P-02", "200:07 P-02", "02", 2}};
  for (const auto& c : cases) {
    zte.SetText(QLatin1String(c.set));
    EXPECT_EQ(zte.Text(), c.text) << c.set;
    EXPECT_EQ(List().currentText(), c.shown) << c.set;
    EXPECT_EQ(zte.ProgramCode().value_or(-1), c.code) << c.set;
  }
  Picker().setTime(QTime(9, 0));
  EXPECT_EQ(zte.Text(), "09:00 P-02");
  zte.SetText(QStringLiteral("07:45 P-03"));
  EXPECT_EQ(Picker().text(), "07:45");
  List().setCurrentIndex(10);
  Picker().setTime(QTime(18, 5));
  EXPECT_EQ(zte.Text(), "18:05 P-DE");
  zte.resize(400, 300);
  EXPECT_EQ(zte.size(),
            monitor::TwipSize(zte, Zaman_tablo_edit1::kWidthTwips, Zaman_tablo_edit1::kHeightTwips));
}

TEST_F(TimeTableEntry, ATimeIsTypedAsItIsSaidWhereverThePickerWasClicked) {
  zte.show();
  auto* edit = Picker().findChild<QLineEdit*>();
  ASSERT_NE(edit, nullptr);
  for (const char* typed : {"2145", "21:45"}) {
    zte.SetText(QStringLiteral("07:05 P-03"));
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(3, edit->height() / 2));  // a bare cursor at the start
    QTest::keyClicks(&Picker(), QString::fromLatin1(typed));
    EXPECT_EQ(zte.Text(), "21:45 P-03") << typed;
  }
}

}  // namespace
