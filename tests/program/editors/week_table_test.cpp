#include <QLocale>

#include "editor_fixture.h"
#include "program/editors/time_table_entry.h"

namespace {

using kxtest::EditorTest;
using program::editors::Zaman_tablo_edit1;

struct WeekTable : EditorTest {
  void SetUp() override { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
  void TearDown() override { QLocale::setDefault(QLocale::c()); }
  void Entry(int day, int entry, std::uint8_t h, std::uint8_t m, std::uint8_t code, std::uint8_t fourth = 0) {
    auto& d = model->WeekTable[static_cast<std::size_t>(day)];
    const std::size_t at = 4 * static_cast<std::size_t>(entry);
    d[at] = h;
    d[at + 1] = m;
    d[at + 2] = code;
    d[at + 3] = fourth;
  }
  QString Text(int day, int entry) const { return WeekGrid().model()->index(entry, day).data().toString(); }
  Zaman_tablo_edit1& Zte() const { return Find<Zaman_tablo_edit1>("ZTE_1"); }
  void ShowWeekTab() {
    Find<QTabWidget>("SSTab1").setCurrentIndex(program::editors::Program_EDIT::kHaftalik);
  }
};

TEST_F(WeekTable, GridShowsTheDaysAndEveryKindOfEntry) {
  Entry(0, 0, 7, 5, 3);
  Entry(0, 1, 7, 5, 12, 0x44);
  Entry(6, 15, 8, 0, 20, 0x55);
  Entry(3, 2, 22, 30, 17);
  Open();
  const QAbstractItemModel& m = *WeekGrid().model();
  EXPECT_EQ(m.rowCount(), 16);
  EXPECT_EQ(m.columnCount(), 7);
  EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), "Pazartesi");
  EXPECT_EQ(m.headerData(6, Qt::Horizontal).toString(), "Pazar");
  EXPECT_EQ(m.headerData(15, Qt::Vertical).toString(), "16");
  EXPECT_EQ(Text(0, 0), "07:05 P-03");
  EXPECT_EQ(Text(0, 1), "07:05 P-");
  EXPECT_EQ(Text(6, 15), "08:00 P---");
  EXPECT_EQ(Text(3, 2), "22:30 P-FL");

  editor->DegisiklikleriKaydet();
  EXPECT_EQ((*image)[0x9000 + 6], 12);
  EXPECT_EQ((*image)[0x9000 + 7], 0x44);
  EXPECT_EQ((*image)[0x9000 + 128 * 6 + 62], 0);
  EXPECT_EQ((*image)[0x9000 + 128 * 6 + 63], 0x55);
  EXPECT_EQ((*image)[0x9000 + 128 * 3 + 10], 17);
}

TEST_F(WeekTable, EntryWidgetLiesOnTheClickedCellAndWritesBackOnLeaving) {
  Entry(1, 4, 6, 15, 2);
  Entry(2, 0, 9, 0, 14);
  Open();
  ShowWeekTab();
  Click(WeekGrid(), 4, 1);
  ASSERT_TRUE(Zte().isVisible());
  const QModelIndex cell = WeekGrid().model()->index(4, 1);
  EXPECT_EQ(Zte().geometry().topLeft(), WeekGrid().visualRect(cell).topLeft());
  EXPECT_EQ(WeekGrid().rowHeight(4), Zte().height());
  EXPECT_EQ(Zte().Text(), "06:15 P-02");

  kxtest::Child<QComboBox>(Zte(), QStringLiteral("Combo1")).setCurrentIndex(11);
  Click(WeekGrid(), 0, 2);  // the code-14 entry: entered and left without a change
  EXPECT_EQ(Text(1, 4), "06:15 P-FL");
  EXPECT_EQ(Zte().Text(), "09:00 P-");
  Click(WeekGrid(), 1, 2);
  EXPECT_EQ(Text(2, 0), "09:00 P-");

  // A header click hides the widget.
  QTest::mouseClick(WeekGrid().horizontalHeader()->viewport(), Qt::LeftButton, {},
                    QPoint(WeekGrid().columnViewportPosition(3) + 5, 5));
  EXPECT_FALSE(Zte().isVisible());

  editor->DegisiklikleriKaydet();
  EXPECT_EQ(model->WeekTable[1][18], 17);
  EXPECT_EQ(model->WeekTable[2][2], 14);
}

TEST_F(WeekTable, SaveKeepsWhatTheOpenEntryWidgetHolds) {
  Entry(4, 7, 12, 0, 1);
  Open();
  ShowWeekTab();
  Click(WeekGrid(), 7, 4);
  kxtest::Child<QComboBox>(Zte(), QStringLiteral("Combo1")).setCurrentIndex(9);
  editor->DegisiklikleriKaydet();
  EXPECT_EQ((*image)[0x9000 + 128 * 4 + 30], 9);
}

}  // namespace
