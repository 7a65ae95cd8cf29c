#pragma once
// What the tool knows about the junction beyond the controller's memory: the names of
// the signal groups, which groups must never show green together and the least
// intergreen time between them, the groups without a yellow lamp, and the shortest
// durations the program checks allow. It is kept in a file beside the project; a
// project without one has no names, no conflicts and the default limits.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace program {

inline constexpr int kJunctionGroups = 32;
inline constexpr std::size_t kGroupNameMaxChars = 32;
inline constexpr int kNoConflict = -1;
inline constexpr int kMaxJunctionSeconds = 255;  // a step duration is one byte

// Shortest state the checks allow, in seconds; 0 switches that check off.
struct CheckLimits {
  int minYellow = 3;
  int minRedYellow = 1;
  int minGreen = 5;
  bool operator==(const CheckLimits&) const = default;
};

using IntergreenMatrix = std::array<std::array<std::int16_t, kJunctionGroups>, kJunctionGroups>;

constexpr IntergreenMatrix NoConflicts() {
  IntergreenMatrix m{};
  for (auto& row : m) row.fill(kNoConflict);
  return m;
}

struct JunctionData {
  // Name of group g at g - 1, UTF-8 without blanks at either end; empty = no name.
  std::array<std::string, kJunctionGroups> groupNames{};
  // Groups whose heads have no yellow lamp (pedestrians, bicycles): green may go
  // straight to red and back, so the yellow and red+yellow checks leave them alone.
  std::array<bool, kJunctionGroups> pedestrian{};
  // intergreen[a - 1][b - 1]: kNoConflict, or the least seconds from the end of group
  // a's green to the start of group b's green. A pair conflicts when either direction
  // holds seconds; SetConflict and ClearConflict always set both.
  IntergreenMatrix intergreen = NoConflicts();
  CheckLimits limits;
  bool operator==(const JunctionData&) const = default;
};

// Groups a and b (1-32, different) must never be green together.
bool Conflicting(const JunctionData& data, int a, int b);

// Least seconds from the end of `from`'s green to the start of `to`'s green, 0 to 255
// (a direction left without seconds in a conflicting pair counts as 0), or kNoConflict
// when the pair does not conflict or a group is outside 1-32.
int MinIntergreen(const JunctionData& data, int from, int to);

// Makes a and b a conflicting pair with the least intergreen a -> b and b -> a
// (0-255 seconds each). Refused (false, nothing changed) for a group outside 1-32,
// a group paired with itself or seconds out of range.
bool SetConflict(JunctionData& data, int a, int b, int aToB, int bToA);
void ClearConflict(JunctionData& data, int a, int b);

// Why a text cannot be a group name: "geçersiz UTF-8", "kontrol karakteri içeriyor"
// or "32 harften uzun"; empty when it can. Blanks at its ends do not count.
std::string_view GroupNameProblem(std::string_view utf8);

// Stores the name without the blanks at its ends. A name with a problem, or a group
// outside 1-32, stores nothing and gives false.
bool SetGroupName(JunctionData& data, int group, std::string_view utf8);

// The name of group g (1-32), empty when it has none or g is outside 1-32.
std::string_view GroupName(const JunctionData& data, int group);

}  // namespace program
