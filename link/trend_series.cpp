#include "link/trend_series.h"

#include "link/frame_meaning.h"
#include "link/number_text.h"

namespace bus {
namespace {

std::string CardName(int card) { return DeviceName(32 + card); }

}  // namespace

SeriesInfo ValueSeriesInfo(int series) {
  switch (series) {
    case CpuSeries(CpuTrend::MainsVoltage): return {"CPU şebeke gerilimi", "V", 2};
    case CpuSeries(CpuTrend::MainsFrequency): return {"CPU şebeke frekansı", "Hz", 2};
    case CpuSeries(CpuTrend::PsuVoltage): return {"CPU besleme", "V", 2};
    case CpuSeries(CpuTrend::Temperature): return {"CPU sıcaklık", "C", 0};
    case CpuSeries(CpuTrend::Current): return {"CPU akım", "A", 2};
    case CpuSeries(CpuTrend::Power): return {"CPU güç", "W", 2};
    default: break;
  }
  if (series < kCpuTrends || series >= kValueSeries) return {"?", "", 0};
  const int card = (series - kCpuTrends) / kCardTrends;
  const int k = (series - kCpuTrends) % kCardTrends;
  if (k == 0) return {CardName(card) + " besleme", "V", 2};
  return {CardName(card) + " akım " + std::to_string(k), "A", 3};
}

std::string StepSeriesName(int step) {
  if (step == kCpuStateStep) return "CPU durum";
  if (step == kDetectorStateStep) return "DED durum";
  if (step == kGpsStateStep) return "GPS durum";
  if (step >= CardStateStep(0) && step < CardFaultStep(0))
    return CardName(step - CardStateStep(0)) + " durum";
  if (step >= CardFaultStep(0) && step < ChannelFaultStep(0))
    return CardName(step - CardFaultStep(0)) + " hata";
  if (step >= ChannelFaultStep(0) && step < LampStep(0)) {
    return CardName(step - ChannelFaultStep(0)) + " kanal hata";
  }
  if (step >= LampStep(0) && step < kStepSeries) return "Grup " + std::to_string(step - LampStep(0) + 1);
  return "?";
}

void ReadTrendSample(const RegisterImage& regs, TrendValues& values, TrendSteps& steps) {
  const auto cpu = [&](int w) { return regs.CpuCardRegs[static_cast<std::size_t>(w)]; };
  const auto value = [&](int series) -> std::int32_t& { return values[static_cast<std::size_t>(series)]; };
  const auto step = [&](int s) -> std::int32_t& { return steps[static_cast<std::size_t>(s)]; };

  value(CpuSeries(CpuTrend::MainsVoltage)) = cpu(cpu_word::kMainsVoltage);
  value(CpuSeries(CpuTrend::MainsFrequency)) = cpu(cpu_word::kMainsFrequency);
  value(CpuSeries(CpuTrend::PsuVoltage)) = cpu(cpu_word::kPsuVoltage);
  value(CpuSeries(CpuTrend::Temperature)) = cpu(cpu_word::kTemperature);
  value(CpuSeries(CpuTrend::Current)) = cpu(cpu_word::kCurrent);
  // Hundredths of a watt still fit 32 bits for any two 16-bit words.
  value(CpuSeries(CpuTrend::Power)) = static_cast<std::int32_t>(
      RoundedQuotient(MainsPowerTenThousandths(cpu(cpu_word::kMainsVoltage), cpu(cpu_word::kCurrent)), 100));

  step(kCpuStateStep) = cpu(cpu_word::kState);
  step(kDetectorStateStep) = regs.DetectorRegs[detector_word::kState];
  step(kGpsStateStep) = regs.GpsRegs[gps_word::kState];
  for (int c = 0; c < kTriacCards; ++c) {
    const TriacCardReading k = ReadTriacCard(regs, c);
    value(CardSupplySeries(c)) = static_cast<std::int32_t>(CardSupplyHundredths(k.supplyRaw));
    for (int ch = 0; ch < kChannelsPerCard; ++ch) {
      value(CardCurrentSeries(c, ch)) = k.currentMilliamps[static_cast<std::size_t>(ch)];
    }
    step(CardStateStep(c)) = k.state;
    step(CardFaultStep(c)) = k.faultWord;
    step(ChannelFaultStep(c)) = k.channelFaults;
  }
  const auto lamps = GroupLampStates(regs);
  for (int g = 0; g < kSignalGroups; ++g) step(LampStep(g)) = lamps[static_cast<std::size_t>(g)];
}

}  // namespace bus
