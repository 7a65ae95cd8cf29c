#include "program/signal_state.h"

#include <gtest/gtest.h>

namespace program {
namespace {

TEST(LitState, FlashingCodesLightTheirLampsOnlyInTheLitHalf) {
  // {code, lit half, dark half}; 5 has no flashing bit: steady; only the nibble counts.
  const int cases[][3] = {{0, 0, 0}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}, {10, 2, 0}, {12, 4, 0}, {0x1C, 4, 0}};
  for (const auto& c : cases) {
    const auto code = static_cast<std::uint8_t>(c[0]);
    EXPECT_EQ((std::vector<int>{LitStateCode(code, true), LitStateCode(code, false)}),
              (std::vector<int>{c[1], c[2]}))
        << c[0];
  }
}

}  // namespace
}  // namespace program
