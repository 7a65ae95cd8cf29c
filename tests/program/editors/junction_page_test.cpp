// The junction tab as the user edits it: names, conflicts and limits go into the
// junction data at once, the plan, the grid's titles and the warnings follow, and
// refused entries are put back with a word in the status line.

#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>

#include "editor_fixture.h"
#include "program/editors/group_name_tooltips.h"

namespace {

using kxtest::EditorTest;

struct JunctionTab : EditorTest {
  program::JunctionData junction;
  std::unique_ptr<QSignalSpy> status;

  // Program1: groups 1 and 2 green for 20 s, then group 1 yellow for 3 s.
  void OpenSeeded() {
    model->PgmGroups[2][1] = {20, 4, 4};
    model->PgmGroups[2][2] = {3, 2, 4};
    Open();
    editor->SetJunction(junction);
    status = std::make_unique<QSignalSpy>(editor.get(), &program::editors::Program_EDIT::statusMessage);
  }
  QTableWidget& Names() const { return Find<QTableWidget>("TBL_GrupAdlari"); }
  QTableWidget& Conflicts() const { return Find<QTableWidget>("TBL_Catisma"); }
  QString Conflict(int from, int to) const { return Conflicts().item(from - 1, to - 1)->text(); }
  QString LastStatus() { return status->isEmpty() ? QString() : status->takeLast().at(0).toString(); }
  bool Warned(const QString& part) const {
    auto& list = Find<QListWidget>("LST_Uyarilar");
    for (int i = 0; i < list.count(); ++i) {
      if (list.item(i)->text().contains(part)) return true;
    }
    return false;
  }
};

TEST_F(JunctionTab, NamesReachTheGridTitlesAndBadOnesAreRefused) {
  OpenSeeded();
  Names().item(0, 0)->setText(QStringLiteral("  A1 Kuzey "));
  EXPECT_EQ(junction.groupNames[0], "A1 Kuzey");
  EXPECT_EQ(Names().item(0, 0)->text(), QStringLiteral("A1 Kuzey"));
  auto& tips = *Grid().horizontalHeader()->findChild<program::editors::GroupNameToolTips*>();
  EXPECT_EQ(tips.ToolTip(1), QStringLiteral("Grup-1: A1 Kuzey"));

  Names().item(1, 0)->setText(QString(33, QLatin1Char('x')));
  EXPECT_EQ(junction.groupNames[1], "");
  EXPECT_EQ(Names().item(1, 0)->text(), QString());
  EXPECT_EQ(LastStatus(), QStringLiteral("Grup-2 adı alınmadı: 32 harften uzun"));
}

TEST_F(JunctionTab, AConflictIsEnteredBothWaysAndWarnsAtOnce) {
  OpenSeeded();
  EXPECT_FALSE(Warned(QStringLiteral("Grup-2")));
  Conflicts().item(0, 1)->setText(QStringLiteral("5"));
  EXPECT_EQ(program::MinIntergreen(junction, 1, 2), 5);
  EXPECT_EQ(program::MinIntergreen(junction, 2, 1), 5);
  EXPECT_EQ(Conflict(2, 1), QStringLiteral("5"));
  EXPECT_TRUE(Warned(QStringLiteral("Grup-2")));

  Conflicts().item(1, 0)->setText(QStringLiteral("3"));  // one way only
  EXPECT_EQ(program::MinIntergreen(junction, 1, 2), 5);
  EXPECT_EQ(program::MinIntergreen(junction, 2, 1), 3);

  for (const char* bad : {"x", "-1", "256"}) {
    Conflicts().item(1, 0)->setText(QLatin1String(bad));
    EXPECT_EQ(Conflict(2, 1), QStringLiteral("3")) << bad;
    EXPECT_TRUE(LastStatus().startsWith(QStringLiteral("Ara yeşil süresi 0 ile 255 sn arasında olmalı")))
        << bad;
  }
  EXPECT_EQ(program::MinIntergreen(junction, 2, 1), 3);

  Conflicts().item(0, 1)->setText(QString());
  EXPECT_FALSE(program::Conflicting(junction, 1, 2));
  EXPECT_EQ(Conflict(2, 1), QString());
  EXPECT_FALSE(Warned(QStringLiteral("Grup-2")));
}

TEST_F(JunctionTab, LimitsChangeTheChecksAndGoBackToTheDefaults) {
  OpenSeeded();
  EXPECT_FALSE(Warned(QStringLiteral("Grup-1")));
  Find<QSpinBox>("UpDown_EnKisaYesil").setValue(30);
  EXPECT_EQ(junction.limits.minGreen, 30);
  EXPECT_TRUE(Warned(QStringLiteral("Grup-1")));
  Find<QPushButton>("BTN_Varsayilan").click();
  EXPECT_EQ(junction.limits, program::CheckLimits{});
  EXPECT_EQ(Find<QSpinBox>("UpDown_EnKisaYesil").value(), 5);
  EXPECT_FALSE(Warned(QStringLiteral("Grup-1")));
}

}  // namespace
