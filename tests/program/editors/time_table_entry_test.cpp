#include "program/editors/time_table_entry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTimeEdit>

#include "editor_fixture.h"
#include "monitor/twips.h"

namespace {

using program::editors::Zaman_tablo_edit1;

struct TimeTableEntry : ::testing::Test {
  static void SetUpTestSuite() { kxtest::EnsureApplication(); }
  Zaman_tablo_edit1 zte;
  QComboBox& List() { return kxtest::Child<QComboBox>(zte, QStringLiteral("Combo1")); }
  QTimeEdit& Picker() { return kxtest::Child<QTimeEdit>(zte, QStringLiteral("DTPicker1")); }
};

TEST_F(TimeTableEntry, TextsShowInBothControlsAndWhatTheyCannotShowIsKeptUntilChanged) {
  // {text set, text read back, code shown in the list, code}: a code without a text
  // (11 to 16) comes as a text without a code; an hour of 200 from a project file is
  // more than the picker can show.
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
