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

TEST_F(TimeTableEntry, TextsRoundTripAndShowInBothControls) {
  ASSERT_EQ(List().count(), 12);
  EXPECT_EQ(List().itemText(9), "YB");
  EXPECT_EQ(List().itemText(11), "FL");
  zte.SetText(QStringLiteral("07:45 P-03"));
  EXPECT_EQ(zte.Text(), "07:45 P-03");
  EXPECT_EQ(List().currentText(), "03");
  EXPECT_EQ(Picker().time(), QTime(7, 45));
  EXPECT_EQ(Picker().text(), "07:45");

  zte.SetText(QStringLiteral("23:05 P-FL"));
  EXPECT_EQ(List().currentText(), "FL");
  EXPECT_EQ(zte.ProgramCode(), 17);
  EXPECT_EQ(zte.Text(), "23:05 P-FL");
  zte.SetText(QStringLiteral("00:00 P---"));
  EXPECT_EQ(zte.Text(), "00:00 P---");
  zte.SetText(QStringLiteral("06:30 P-20"));
  EXPECT_EQ(List().currentText(), "--");
  EXPECT_EQ(zte.Text(), "06:30 P---");
  EXPECT_EQ(zte.ProgramCode(), 0);
}

TEST_F(TimeTableEntry, ChoosingInTheControlsSetsTheEntry) {
  zte.SetText(QStringLiteral("07:45 P-03"));
  List().setCurrentIndex(11);
  EXPECT_EQ(zte.ProgramCode(), 17);
  List().setCurrentIndex(10);
  EXPECT_EQ(zte.ProgramCode(), 10);
  Picker().setTime(QTime(18, 5));
  EXPECT_EQ(zte.Text(), "18:05 P-DE");
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

TEST_F(TimeTableEntry, WhatTheControlsCannotShowIsKeptUntilChanged) {
  // A code without a text of its own (11 to 16) comes as a text without a code.
  zte.SetText(QStringLiteral("07:05 P-"));
  EXPECT_FALSE(zte.ProgramCode().has_value());
  EXPECT_EQ(List().currentIndex(), -1);
  EXPECT_EQ(zte.Text(), "07:05 P-");
  // An hour of 200 from a project file: the picker cannot show it.
  zte.SetText(QStringLiteral("200:07 P-02"));
  EXPECT_EQ(zte.Text(), "200:07 P-02");
  Picker().setTime(QTime(9, 0));
  EXPECT_EQ(zte.Text(), "09:00 P-02");
}

TEST_F(TimeTableEntry, KeepsItsSizeWhateverItIsResizedTo) {
  const QSize fixed = monitor::TwipSize(zte, Zaman_tablo_edit1::kWidthTwips, Zaman_tablo_edit1::kHeightTwips);
  EXPECT_EQ(zte.size(), fixed);
  zte.resize(400, 300);
  EXPECT_EQ(zte.size(), fixed);
}

}  // namespace
