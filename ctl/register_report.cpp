#include "ctl/register_report.h"

#include <cstdio>
#include <optional>

#include "link/register_meaning.h"

namespace ctl {
namespace {

using namespace bus::cpu_word;
constexpr int kCpuWords = 16;

// The bus delivers 16-bit words, so a hundredths value is printed from its integer
// form: a binary double would turn 230.15 into 230.14999...
std::string Hundredths(std::int32_t value) {
  char text[24];
  const long long v = value;
  const long long a = v < 0 ? -v : v;
  std::snprintf(text, sizeof text, "%s%lld.%02lld", v < 0 ? "-" : "", a / 100, a % 100);
  return text;
}

std::string Hex4(std::int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value) & 0xFFFFu);
  return text;
}

std::string Two(std::int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", static_cast<int>(value));
  return text;
}

std::string StateText(std::optional<bus::StateLook> look) {
  return look ? look->text : "?";
}

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

}  // namespace

std::string RegisterText(const bus::RegisterImage& r) {
  const auto& cpu = r.CpuCardRegs;
  std::string out;
  out += "clock     " + (r.CpuClockText.empty() ? std::string("-") : r.CpuClockText) + "\n";
  out += "cpu       state " + std::to_string(cpu[kState]) + " " +
         StateText(bus::RunStateLook(cpu[kState])) + "  mains " +
         Hundredths(cpu[kMainsVoltage]) + " V " + Hundredths(cpu[kMainsFrequency]) +
         " Hz  supply " + Hundredths(cpu[kPsuVoltage]) + " V  temperature " +
         std::to_string(cpu[kTemperature]) + " C  current " + Hundredths(cpu[kCurrent]) + " A\n";
  const auto& gps = r.GpsRegs;
  out += "gps       state " + std::to_string(gps[1]) + " " + StateText(bus::GpsStateLook(gps[1])) +
         "  " + std::to_string(gps[7]) + "-" + Two(gps[6]) + "-" + Two(gps[5]) + " " + Two(gps[4]) +
         ":" + Two(gps[3]) + ":" + Two(gps[2]) + "\n";
  const auto& det = r.DetectorRegs;
  out += "detector  state " + std::to_string(det[0]) + " " + StateText(bus::RunStateLook(det[0])) +
         "  inputs " + Hex4(det[1]) + "\n";
  for (int c = 0; c < bus::kTriacCards; ++c) {
    const bus::TriacCardReading k = bus::ReadTriacCard(r, c);
    out += "card " + std::to_string(c + 1) + "    state " + std::to_string(k.state) + " " +
           StateText(bus::CardStateLook(k.state, k.faultWord)) + "  lamps " + Hex4(k.lamps) +
           "  faults " + Hex4(k.channelFaults) + "  currents";
    for (const std::int32_t mA : k.currentMilliamps) out += " " + std::to_string(mA);
    out += " mA  supply code " + std::to_string(k.supplyRaw) + "  fault word " +
           Hex4(k.faultWord) + "\n";
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
  const auto& gps = r.GpsRegs;
  out += ",\"gps\":{\"state\":" + std::to_string(gps[1]) + ",\"year\":" + std::to_string(gps[7]) +
         ",\"month\":" + std::to_string(gps[6]) + ",\"day\":" + std::to_string(gps[5]) +
         ",\"hour\":" + std::to_string(gps[4]) + ",\"minute\":" + std::to_string(gps[3]) +
         ",\"second\":" + std::to_string(gps[2]) + "}";
  out += ",\"detector\":{\"state\":" + std::to_string(r.DetectorRegs[0]) +
         ",\"inputs\":" + std::to_string(r.DetectorRegs[1]) + "}";
  out += ",\"cards\":[";
  for (int c = 0; c < bus::kTriacCards; ++c) {
    const bus::TriacCardReading k = bus::ReadTriacCard(r, c);
    if (c > 0) out += ",";
    out += "{\"card\":" + std::to_string(c + 1) + ",\"state\":" + std::to_string(k.state) +
           ",\"lamps\":" + std::to_string(k.lamps) +
           ",\"faults\":" + std::to_string(k.channelFaults) + ",\"currents\":[";
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
