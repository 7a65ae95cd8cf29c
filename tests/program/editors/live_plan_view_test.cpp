#include "program/editors/live_plan_view.h"

#include "editor_fixture.h"
#include "link/register_meaning.h"

namespace {

TEST(LivePlanView, TheRecordedLampsAreShownAndTheChosenProgramBesideThem) {
  kxtest::EnsureApplication();
  bus::TrendStore store;
  bus::RegisterImage regs;
  regs.TriacCardRegs[0][bus::card_word::kLamps] = 0x0004;  // group 1 green
  for (int i = 0; i < 50; ++i) store.Record(i * 200'000, regs);
  auto model = std::make_unique<program::EditorModel>();
  model->PgmGroups[2][1] = {10, 0, 0, 1};  // Program1: one step of 10 s, group 3 red

  program::editors::LivePlanView view(store, *model);
  view.resize(900, 500);
  view.SetRange(0, 10'000'000);
  view.grab();  // the plans are built as the view paints
  ASSERT_EQ(view.Live().rows.size(), 1u);
  EXPECT_EQ(view.Live().rows[0].group, 1);
  EXPECT_TRUE(view.Programmed().steps.empty()) << "no program chosen";

  view.findChild<QComboBox*>(QStringLiteral("CMB_Program"))->setCurrentText(QStringLiteral("Program1"));
  view.grab();
  ASSERT_EQ(view.Programmed().rows.size(), 1u);
  EXPECT_EQ(std::tuple(view.Programmed().rows[0].group, view.Programmed().cycleSeconds), std::tuple(3, 10));
}

}  // namespace
