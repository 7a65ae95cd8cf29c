#pragma once
// What the trends window records at every PC turn, taken from the register image:
// measured values (CPU mains, supply, temperature, current and power; each triac
// card's supply and four channel currents), and values that hold for a while (the run
// states, the fault words, the 32 groups' lamp states). Names, units and scaling of
// each series are here, so that the plot, the cursor and the CSV agree.

#include <array>
#include <cstdint>
#include <string>

#include "link/register_image.h"
#include "link/register_meaning.h"

namespace bus {

// Measured values, as exact integers scaled by 10^decimals.
enum class CpuTrend { MainsVoltage, MainsFrequency, PsuVoltage, Temperature, Current, Power };
inline constexpr int kCpuTrends = 6;
inline constexpr int kCardTrends = 1 + kChannelsPerCard;  // supply, then the channel currents
inline constexpr int kValueSeries = kCpuTrends + kTriacCards * kCardTrends;

constexpr int CpuSeries(CpuTrend t) { return static_cast<int>(t); }
constexpr int CardSupplySeries(int card) { return kCpuTrends + card * kCardTrends; }
constexpr int CardCurrentSeries(int card, int channel) { return CardSupplySeries(card) + 1 + channel; }

// Values that hold until they change: stored as intervals.
inline constexpr int kCpuStateStep = 0;
inline constexpr int kDetectorStateStep = 1;
inline constexpr int kGpsStateStep = 2;
constexpr int CardStateStep(int card) { return 3 + card; }
constexpr int CardFaultStep(int card) { return 3 + kTriacCards + card; }         // word 9
constexpr int ChannelFaultStep(int card) { return 3 + 2 * kTriacCards + card; }  // word 3
constexpr int LampStep(int group) { return 3 + 3 * kTriacCards + group; }
inline constexpr int kStepSeries = LampStep(kSignalGroups);

using TrendValues = std::array<std::int32_t, kValueSeries>;
using TrendSteps = std::array<std::int32_t, kStepSeries>;

struct SeriesInfo {
  std::string name;  // "CPU şebeke gerilimi", "K3 akım 2"
  const char* unit;  // "V", "Hz", "C", "A", "W"
  int decimals;      // the stored integer is the value times 10^decimals
};
SeriesInfo ValueSeriesInfo(int series);
// "CPU durum", "K3 hata", "K3 kanal hata", "Grup 12"; fault words show in hexadecimal.
std::string StepSeriesName(int step);
constexpr bool IsFaultWordStep(int step) { return step >= CardFaultStep(0) && step < LampStep(0); }

// Everything a PC turn records, read from the register image.
void ReadTrendSample(const RegisterImage& regs, TrendValues& values, TrendSteps& steps);

}  // namespace bus
