// Step rows on the clipboard and in the undo history: what a paste refuses, and how
// the history keeps, drops and bounds its changes.

#include <gtest/gtest.h>

#include <string>

#include "program/step_edit_history.h"
#include "program/step_rows_text.h"

namespace program {
namespace {

std::string Row(const std::string& duration, const std::string& code = "0", int codes = 32) {
  std::string line = duration;
  for (int g = 0; g < codes; ++g) line += "\t" + code;
  return line;
}

TEST(StepRowsText, RowsRoundTripAndAnythingElseIsRefused) {
  StepRow a{};
  a[0] = 255;
  a[32] = 12;
  StepRow b{};
  b[1] = 15;
  const auto back = ParseStepRowsText(StepRowsText({a, b}));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, (std::vector<StepRow>{a, b}));
  EXPECT_TRUE(ParseStepRowsText(Row("7") + "\n" + Row("8") + "\n").has_value()) << "bare LF";

  std::string hundredAndOne;
  for (int i = 0; i < 101; ++i) hundredAndOne += Row("1") + "\r\n";
  for (const std::string& bad : {std::string(), Row("256"), Row("1", "16"), Row("1", "0", 31), Row("1", "0", 33),
                                 Row("-1"), Row("1", " 2"), Row("x"), Row("1") + "\r\n\r\n" + Row("1"),
                                 hundredAndOne}) {
    EXPECT_FALSE(ParseStepRowsText(bad).has_value()) << bad.substr(0, 40);
  }
}

TEST(StepEditHistory, KeepsRealChangesDropsTheRedoTailAndForgetsTheOldest) {
  StepEditHistory h;
  StepRow one{};
  one[0] = 1;
  h.Push({2, 5, {StepRow{}}, {StepRow{}}});
  EXPECT_FALSE(h.CanUndo()) << "a change that changes nothing";
  h.Push({2, 5, {StepRow{}}, {one}});
  h.Push({3, 1, {one}, {StepRow{}}});
  ASSERT_NE(h.Undo(), nullptr);
  h.Push({4, 1, {StepRow{}}, {one}});
  EXPECT_FALSE(h.CanRedo());
  EXPECT_EQ(h.Undo()->record, 4u);
  EXPECT_EQ(h.Undo()->record, 2u);
  EXPECT_EQ(h.Undo(), nullptr);

  for (std::size_t i = 0; i < StepEditHistory::kMaxChanges + 3; ++i) h.Push({i, 1, {StepRow{}}, {one}});
  std::size_t undone = 0;
  while (h.Undo()) ++undone;
  EXPECT_EQ(undone, StepEditHistory::kMaxChanges);
}

}  // namespace
}  // namespace program
