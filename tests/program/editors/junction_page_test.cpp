// The junction tab: entries reach the junction data at once; refused ones are put back.

#include <QTableWidget>

#include "editor_fixture.h"
#include "program/editors/group_name_tooltips.h"

namespace {

struct JunctionTab : kxtest::EditorTest {
  program::JunctionData junction;

  // Program1: groups 1 and 2 green for 20 s, then group 1 yellow for 3 s.
  void SetUp() override {
    model->PgmGroups[2][1] = {20, 4, 4};
    model->PgmGroups[2][2] = {3, 2, 4};
    Open();
    editor->SetJunction(junction);
  }
  QTableWidgetItem& Name(int group) const { return *Find<QTableWidget>("TBL_GrupAdlari").item(group - 1, 0); }
  QTableWidgetItem& Conflict(int from, int to) const {
    return *Find<QTableWidget>("TBL_Catisma").item(from - 1, to - 1);
  }
  bool Warned(const char* group) const { return Warning(QLatin1String(group)) != nullptr; }
};

TEST_F(JunctionTab, NamesConflictsAndLimitsReachTheChecksAtOnceAndBadOnesAreRefused) {
  Name(1).setText(QStringLiteral("  A1 Kuzey "));
  EXPECT_EQ(QString::fromStdString(junction.groupNames[0]) + "|" + Name(1).text(), "A1 Kuzey|A1 Kuzey");
  auto& tips = *Grid().horizontalHeader()->findChild<program::editors::GroupNameToolTips*>();
  EXPECT_EQ(tips.ToolTip(1), QStringLiteral("Grup-1: A1 Kuzey"));

  Name(2).setText(QString(33, QLatin1Char('x')));
  EXPECT_EQ(QString::fromStdString(junction.groupNames[1]) + Name(2).text(), QString());
  EXPECT_EQ(statuses.last(), QStringLiteral("Grup-2 adı alınmadı: 32 harften uzun"));

  // A conflict is entered both ways and warns at once.
  EXPECT_FALSE(Warned("Grup-2"));
  Conflict(1, 2).setText(QStringLiteral("5"));
  EXPECT_EQ(std::pair(program::MinIntergreen(junction, 1, 2), program::MinIntergreen(junction, 2, 1)),
            std::pair(5, 5));
  EXPECT_TRUE(Conflict(2, 1).text() == QStringLiteral("5") && Warned("Grup-2"));

  Conflict(2, 1).setText(QStringLiteral("3"));  // one way only
  EXPECT_EQ(std::pair(program::MinIntergreen(junction, 1, 2), program::MinIntergreen(junction, 2, 1)),
            std::pair(5, 3));
  for (const char* bad : {"x", "-1", "256"}) {
    Conflict(2, 1).setText(QLatin1String(bad));
    EXPECT_EQ(Conflict(2, 1).text(), QStringLiteral("3")) << bad;
    EXPECT_TRUE(statuses.last().startsWith(QStringLiteral("Ara yeşil süresi 0 ile 255 sn arasında olmalı")))
        << bad;
  }
  EXPECT_EQ(program::MinIntergreen(junction, 2, 1), 3);

  Conflict(1, 2).setText(QString());
  EXPECT_TRUE(!program::Conflicting(junction, 1, 2) && Conflict(2, 1).text().isEmpty() && !Warned("Grup-2"));

  // Limits change the checks and go back to the defaults.
  EXPECT_FALSE(Warned("Grup-1"));
  Find<QSpinBox>("UpDown_EnKisaYesil").setValue(30);
  EXPECT_TRUE(Warned("Grup-1"));
  Find<QPushButton>("BTN_Varsayilan").click();
  EXPECT_TRUE(junction.limits == program::CheckLimits{} &&
              Find<QSpinBox>("UpDown_EnKisaYesil").value() == 5 && !Warned("Grup-1"));
}

}  // namespace
