#include "ctl/register_report.h"

#include <cstdio>
#include <optional>

#include "link/hex_text.h"
#include "link/number_text.h"
#include "link/register_meaning.h"

namespace ctl {
namespace {

using namespace bus::cpu_word;
namespace gps = bus::gps_word;
namespace detector = bus::detector_word;
constexpr int kCpuWords = 16;

// A script reads these back: always a point, never a group separator.
std::string Hundredths(std::int32_t value) { return bus::FixedText(value, 2, false, {".", ""}); }
std::string Hex4(std::int32_t value) { return bus::WordToHex4(value & 0xFFFF); }
std::string Two(std::int32_t value) { return bus::ZeroPadded(value, 2); }

std::string StateText(std::optional<bus::StateLook> look) { return look ? look->text : "?"; }

}  // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04X", u);
      out += esc;
    } else {
      out += c;  // UTF-8 passes through as it is
    }
  }
  return out + "\"";
}

std::string RegisterText(const bus::RegisterImage& r) {
  const auto& cpu = r.CpuCardRegs;
  std::string out;
  out += "clock     " + (r.CpuClockText.empty() ? std::string("-") : r.CpuClockText) + "\n";
  out += "cpu       state " + std::to_string(cpu[kState]) + " " + StateText(bus::RunStateLook(cpu[kState])) +
         "  mains " + Hundredths(cpu[kMainsVoltage]) + " V " + Hundredths(cpu[kMainsFrequency]) +
         " Hz  supply " + Hundredths(cpu[kPsuVoltage]) + " V  temperature " +
         std::to_string(cpu[kTemperature]) + " C  current " + Hundredths(cpu[kCurrent]) + " A\n";
  const auto& g = r.GpsRegs;
  out += "gps       state " + std::to_string(g[gps::kState]) + " " +
         StateText(bus::GpsStateLook(g[gps::kState])) + "  " + std::to_string(g[gps::kYear]) + "-" +
         Two(g[gps::kMonth]) + "-" + Two(g[gps::kDay]) + " " + Two(g[gps::kHour]) + ":" +
         Two(g[gps::kMinute]) + ":" + Two(g[gps::kSecond]) + "\n";
  const auto& d = r.DetectorRegs;
  out += "detector  state " + std::to_string(d[detector::kState]) + " " +
         StateText(bus::RunStateLook(d[detector::kState])) + "  inputs " + Hex4(d[detector::kInputs]) + "\n";
  for (int c = 0; c < bus::kTriacCards; ++c) {
    const bus::TriacCardReading k = bus::ReadTriacCard(r, c);
    out += "card " + std::to_string(c + 1) + "    state " + std::to_string(k.state) + " " +
           StateText(bus::CardStateLook(k.state, k.faultWord)) + "  lamps " + Hex4(k.lamps) + "  faults " +
           Hex4(k.channelFaults) + "  currents";
    for (const std::int32_t mA : k.currentMilliamps) out += " " + std::to_string(mA);
    out += " mA  supply code " + std::to_string(k.supplyRaw) + "  fault word " + Hex4(k.faultWord) + "\n";
  }
  return out;
}

std::string RegisterJson(const bus::RegisterImage& r) {
  const auto& cpu = r.CpuCardRegs;
  std::string out = "{\"clock\":" + JsonString(r.CpuClockText);
  out += ",\"cpu\":{\"registers\":[";
  for (int i = 0; i < kCpuWords; ++i) {
    if (i > 0) out += ",";
    out += std::to_string(cpu[static_cast<std::size_t>(i)]);
  }
  out += "],\"state\":" + std::to_string(cpu[kState]) +
         ",\"mainsVoltage\":" + Hundredths(cpu[kMainsVoltage]) +
         ",\"mainsFrequency\":" + Hundredths(cpu[kMainsFrequency]) +
         ",\"supplyVoltage\":" + Hundredths(cpu[kPsuVoltage]) +
         ",\"temperature\":" + std::to_string(cpu[kTemperature]) +
         ",\"current\":" + Hundredths(cpu[kCurrent]) + "}";
  const auto& g = r.GpsRegs;
  out += ",\"gps\":{\"state\":" + std::to_string(g[gps::kState]) +
         ",\"year\":" + std::to_string(g[gps::kYear]) + ",\"month\":" + std::to_string(g[gps::kMonth]) +
         ",\"day\":" + std::to_string(g[gps::kDay]) + ",\"hour\":" + std::to_string(g[gps::kHour]) +
         ",\"minute\":" + std::to_string(g[gps::kMinute]) + ",\"second\":" + std::to_string(g[gps::kSecond]) +
         "}";
  out += ",\"detector\":{\"state\":" + std::to_string(r.DetectorRegs[detector::kState]) +
         ",\"inputs\":" + std::to_string(r.DetectorRegs[detector::kInputs]) + "}";
  out += ",\"cards\":[";
  for (int c = 0; c < bus::kTriacCards; ++c) {
    const bus::TriacCardReading k = bus::ReadTriacCard(r, c);
    if (c > 0) out += ",";
    out += "{\"card\":" + std::to_string(c + 1) + ",\"state\":" + std::to_string(k.state) +
           ",\"lamps\":" + std::to_string(k.lamps) + ",\"faults\":" + std::to_string(k.channelFaults) +
           ",\"currents\":[";
    for (int ch = 0; ch < bus::kChannelsPerCard; ++ch) {
      if (ch > 0) out += ",";
      out += std::to_string(k.currentMilliamps[static_cast<std::size_t>(ch)]);
    }
    out += "],\"supplyCode\":" + std::to_string(k.supplyRaw) +
           ",\"faultWord\":" + std::to_string(k.faultWord) + "}";
  }
  out += "]}";
  return out;
}

}  // namespace ctl
