#include "program/program_check.h"

#include <gtest/gtest.h>

#include <functional>

#include "model_fixture.h"
#include "program/memory_map.h"
#include "program/program_image_codec.h"

namespace program {
namespace {

using namespace testing;

// Two conflicting vehicle groups 1 and 2 and a pedestrian group 7 that crosses group
// 2, with 7 s between the greens everywhere and 5 s asked for; step 9 is not played.
RecordSteps Clean() {
  const std::initializer_list<std::initializer_list<int>> steps = {
      {10, G, R, 0, 0, 0, 0, G}, {3, Y, R, 0, 0, 0, 0, R},  {2, R, R, 0, 0, 0, 0, R},
      {2, R, RY, 0, 0, 0, 0, R}, {10, R, G, 0, 0, 0, 0, R}, {3, R, Y, 0, 0, 0, 0, R},
      {2, R, R, 0, 0, 0, 0, R},  {2, RY, R, 0, 0, 0, 0, R}, {0, G, G, 0, 0, 0, 0, G}};
  return Steps(steps);
}

JunctionData Junction() {
  JunctionData j;
  SetConflict(j, 1, 2, 5, 5);
  SetConflict(j, 2, 7, 5, 5);
  j.pedestrian[6] = true;
  return j;
}

TEST(CheckRecord, EachFaultIsFoundWhereItIsAndNowhereElse) {
  const struct {
    std::function<void(RecordSteps&, JunctionData&)> change;
    std::vector<std::string> expected;  // the texts after "Program3 adım "
  } cases[] = {
      {[](auto&, auto&) {}, {}},
      {[](auto& s, auto&) { s[2][1] = R; }, {"2 Grup-1: yeşilden sonra sarı yok"}},
      // red to green over the end of the cycle
      {[](auto& s, auto&) { s[8][1] = R; }, {"1 Grup-1: kırmızıdan sonra kırmızı+sarı yok"}},
      // only groups without yellow (pedestrians) are left alone
      {[](auto&, auto& j) { j.pedestrian[6] = false; },
       {"1 Grup-7: kırmızıdan sonra kırmızı+sarı yok", "2 Grup-7: yeşilden sonra sarı yok"}},
      {[](auto& s, auto&) { s[6][0] = 2; }, {"6 Grup-2: sarı 2 sn, en az 3 sn"}},
      {[](auto&, auto& j) { j.limits.minRedYellow = 3; },
       {"4 Grup-2: kırmızı+sarı 2 sn, en az 3 sn", "8 Grup-1: kırmızı+sarı 2 sn, en az 3 sn"}},
      // a short green over the end of the cycle
      {[](auto& s, auto&) { s[1][0] = 2, s[7][1] = RY, s[8][1] = G, s[8][7] = G; },
       {"8 Grup-1: yeşil 4 sn, en az 5 sn", "8 Grup-7: yeşil 4 sn, en az 5 sn"}},
      // a limit of 0 checks nothing
      {[](auto& s, auto& j) { s[5][0] = 1, j.limits.minGreen = 0; }, {}},
      {[](auto&, auto& j) { SetConflict(j, 1, 7, 0, 0); }, {"1 Grup-1: çatışan Grup-7 ile aynı anda yeşil"}},
      // an intergreen asked for in one direction only
      {[](auto&, auto& j) { SetConflict(j, 1, 2, 8, 5); },
       {"5 Grup-2: Grup-1 yeşilinden sonra ara yeşil 7 sn, en az 8 sn"}},
      // an intergreen over the end of the cycle
      {[](auto&, auto& j) { SetConflict(j, 2, 7, 8, 5); },
       {"1 Grup-7: Grup-2 yeşilinden sonra ara yeşil 7 sn, en az 8 sn"}},
      // undefined codes, in a played step or not
      {[](auto& s, auto&) { s[3][10] = 5, s[9][5] = 11; },
       {"3 Grup-10: tanımsız durum kodu 5 (kırmızı ve yeşil birlikte)", "9 Grup-5: tanımsız durum kodu 11"}},
      {[](auto& s, auto&) { s = RecordSteps{}, s[1][3] = R, s[4][1] = G, s[4][2] = R; },
       {"1 Grup-3: programda süreli adım yok (1 grup yanıyor)",
        "4 Grup-1: programda süreli adım yok (2 grup yanıyor)"}},
  };
  for (const auto& c : cases) {
    RecordSteps steps = Clean();
    JunctionData junction = Junction();
    c.change(steps, junction);
    std::vector<std::string> expected;
    for (const auto& text : c.expected) expected.push_back("Program3 adım " + text);
    // Record 4 is Program3.
    EXPECT_EQ(Texts(CheckRecord(steps, 4, junction)), expected) << "row " << &c - cases;
  }

  // Warnings name their record, and flash records need no duration.
  JunctionData junction = Junction();
  SetConflict(junction, 1, 2, 9, 5);
  EXPECT_EQ(
      Texts(CheckRecord(Clean(), 11, junction)),
      (std::vector<std::string>{"FAZ 01 adım 5 Grup-2: Grup-1 yeşilinden sonra ara yeşil 7 sn, en az 9 sn"}));

  RecordSteps flash{};
  flash[1][1] = 10, flash[2][1] = 7;  // step 2 is padding of a flash record
  EXPECT_TRUE(CheckRecord(flash, 1, junction).empty());
}

TEST(CheckWeekTable, EntriesThatCannotSwitchAsMeantAlsoInAWholeImage) {
  auto model = std::make_unique<EditorModel>();
  model->PgmGroups[2][1][0] = 5;  // Program1 plays; Program2, Program3, the others not
  // {day, entry, hour, minute, code}; the 00:00 "--" entries are unused, not repeats.
  const int entries[][5] = {{0, 0, 6, 0, 1},    {0, 1, 22, 0, 17},  {0, 2, 7, 0, 1},  {0, 3, 7, 0, 1},
                            {0, 4, 24, 0, 1},   {0, 5, 8, 60, 0},   {0, 7, 23, 0, 3}, {0, 8, 23, 30, 12},
                            {0, 9, 23, 40, 10}, {0, 10, 23, 50, 9}, {1, 15, 5, 0, 2}, {2, 0, 0, 0, 1}};
  for (const auto& e : entries) testing::SetWeekEntry(*model, e[0], e[1], e[2], e[3], e[4]);
  EXPECT_EQ(Texts(CheckWeekTable(*model)),
            (std::vector<std::string>{
                "Pazartesi kayıt 3: 07:00, önceki kayıttan (22:00) önce",
                "Pazartesi kayıt 4: 07:00 aynı gün ikinci kez", "Pazartesi kayıt 5: geçersiz saat 24:00",
                "Pazartesi kayıt 6: geçersiz saat 08:60", "Pazartesi kayıt 8: Program3 süreli adım içermiyor",
                "Pazartesi kayıt 9: tanımsız program kodu 12",
                "Pazartesi kayıt 10: Dedektör Uygulamasi süreli adım içermiyor",
                "Pazartesi kayıt 11: Yaya Gecidi Prg. süreli adım içermiyor",
                "Salı kayıt 16: Program2 süreli adım içermiyor"}));

  // A whole image: every offered record, then the week.
  auto image = std::make_unique<ProgramImage>();
  (*image)[ProgramRecordBase(9) + kStatesOffset] = 0x50;        // Program8 step 1 group 1: code 5
  (*image)[ProgramRecordBase(17) + kDurationsOffset + 1] = 3;   // FAZ 07 step 2 plays
  (*image)[ProgramRecordBase(17) + kStatesOffset + 16] = 0x44;  // groups 1 and 2 green
  (*image)[ProgramRecordBase(18) + kStatesOffset] = 0x55;       // record 18 is not offered
  (*image)[kWeekTableAddress + 2] = 4;                          // Monday 00:00 Program4
  JunctionData junction;
  SetConflict(junction, 1, 2, 0, 0);
  EXPECT_EQ(
      Texts(CheckImage(*image, junction)),
      (std::vector<std::string>{"Program8 adım 1 Grup-1: tanımsız durum kodu 5 (kırmızı ve yeşil birlikte)",
                                "Program8 adım 1 Grup-1: programda süreli adım yok (1 grup yanıyor)",
                                "FAZ 07 adım 2 Grup-1: çatışan Grup-2 ile aynı anda yeşil",
                                "Pazartesi kayıt 1: Program4 süreli adım içermiyor"}));
}

}  // namespace
}  // namespace program
