#include "program/signal_state.h"

#include <gtest/gtest.h>

namespace program {
namespace {

struct LitCase {
  std::uint8_t code;
  std::uint8_t litHalf;
  std::uint8_t darkHalf;
};

class LitState : public ::testing::TestWithParam<LitCase> {};

TEST_P(LitState, FlashingCodesLightTheirLampsOnlyInTheLitHalf) {
  const LitCase c = GetParam();
  EXPECT_EQ(LitStateCode(c.code, true), c.litHalf);
  EXPECT_EQ(LitStateCode(c.code, false), c.darkHalf);
}

INSTANTIATE_TEST_SUITE_P(Codes, LitState,
                         ::testing::Values(LitCase{0, 0, 0}, LitCase{3, 3, 3}, LitCase{4, 4, 4},
                                           LitCase{5, 5, 5},  // no flashing bit: steady
                                           LitCase{10, 2, 0}, LitCase{12, 4, 0},
                                           LitCase{0x1C, 4, 0}));  // only the nibble counts

}  // namespace
}  // namespace program
