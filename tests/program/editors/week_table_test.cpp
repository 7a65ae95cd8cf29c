#include <QLocale>
#include <QTimeEdit>

#include "editor_fixture.h"

namespace {

using program::editors::Zaman_tablo_edit1;
using program::testing::SetWeekEntry;

struct WeekTable : kxtest::EditorTest {
  void SetUp() override { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
  void TearDown() override { QLocale::setDefault(QLocale::c()); }
  Zaman_tablo_edit1& Zte() const { return Find<Zaman_tablo_edit1>("ZTE_1"); }
};

TEST_F(WeekTable, EntryWidgetLiesOnTheClickedCellAndWritesBackOnLeavingOrSaving) {
  SetWeekEntry(*model, 1, 4, 6, 15, 2);
  SetWeekEntry(*model, 2, 0, 9, 0, 14);
  SetWeekEntry(*model, 4, 7, 12, 0, 1);
  Open();
  Find<QTabWidget>("SSTab1").setCurrentIndex(program::editors::Program_EDIT::kHaftalik);
  Click(WeekGrid(), 4, 1);
  ASSERT_TRUE(Zte().isVisible());
  EXPECT_EQ(Zte().geometry().topLeft(), WeekGrid().visualRect(WeekGrid().model()->index(4, 1)).topLeft());
  EXPECT_EQ(WeekGrid().rowHeight(4), Zte().height());
  EXPECT_EQ(Zte().Text(), "06:15 P-02");

  kxtest::Child<QComboBox>(Zte(), QStringLiteral("Combo1")).setCurrentIndex(11);
  Click(WeekGrid(), 0, 2);  // the code-14 entry: entered and left without a change
  EXPECT_EQ(WeekGrid().model()->index(4, 1).data().toString(), "06:15 P-FL");
  Click(WeekGrid(), 1, 2);
  // A header click hides the widget.
  QTest::mouseClick(WeekGrid().horizontalHeader()->viewport(), Qt::LeftButton, {},
                    QPoint(WeekGrid().columnViewportPosition(3) + 5, 5));
  EXPECT_FALSE(Zte().isVisible());
  // Saved with the widget open: the save keeps what it holds.
  Click(WeekGrid(), 7, 4);
  kxtest::Child<QComboBox>(Zte(), QStringLiteral("Combo1")).setCurrentIndex(9);
  editor->DegisiklikleriKaydet();
  EXPECT_EQ(
      (std::vector<int>{model->WeekTable[1][18], model->WeekTable[2][2], (*image)[0x9000 + 128 * 4 + 30]}),
      (std::vector<int>{17, 14, 9}));
}

TEST(TimeTableEntry, TextsShowInBothControlsWhatTheyCannotShowIsKeptAndTimesAreTypedAsSaid) {
  kxtest::EnsureApplication();
  Zaman_tablo_edit1 zte;
  auto& list = kxtest::Child<QComboBox>(zte, QStringLiteral("Combo1"));
  auto& picker = kxtest::Child<QTimeEdit>(zte, QStringLiteral("DTPicker1"));
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
    EXPECT_EQ(list.currentText(), c.shown) << c.set;
    EXPECT_EQ(zte.ProgramCode().value_or(-1), c.code) << c.set;
  }
  picker.setTime(QTime(9, 0));
  EXPECT_EQ(zte.Text(), "09:00 P-02");
  zte.SetText(QStringLiteral("07:45 P-03"));
  EXPECT_EQ(picker.text(), "07:45");
  list.setCurrentIndex(10);
  picker.setTime(QTime(18, 5));
  EXPECT_EQ(zte.Text(), "18:05 P-DE");

  // Typed as it is said, wherever the picker was clicked.
  zte.show();
  auto* edit = picker.findChild<QLineEdit*>();
  ASSERT_NE(edit, nullptr);
  for (const char* typed : {"2145", "21:45"}) {
    zte.SetText(QStringLiteral("07:05 P-03"));
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(3, edit->height() / 2));  // a bare cursor at the start
    QTest::keyClicks(&picker, QString::fromLatin1(typed));
    EXPECT_EQ(zte.Text(), "21:45 P-03") << typed;
  }
}

}  // namespace
