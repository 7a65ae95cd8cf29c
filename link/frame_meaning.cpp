#include "link/frame_meaning.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "link/bus_protocol.h"
#include "link/hex_text.h"
#include "link/link_state.h"
#include "link/number_text.h"
#include "link/register_meaning.h"
#include "link/service_commands.h"

namespace bus {
namespace {

// The bytes after address and function, LRC left off; reading past the end gives 0
// so that a short frame still says what it has.
class Payload {
 public:
  explicit Payload(std::string_view body) {
    for (std::size_t i = 5; i + 1 + 2 < body.size(); i += 2) {
      m_bytes.push_back(static_cast<std::uint8_t>(HexDigitValue(body[i]) * 16 + HexDigitValue(body[i + 1])));
    }
  }
  std::size_t size() const { return m_bytes.size(); }
  int at(std::size_t i) const { return i < m_bytes.size() ? m_bytes[i] : 0; }
  int word(std::size_t i) const { return at(i) << 8 | at(i + 1); }

 private:
  std::vector<std::uint8_t> m_bytes;
};

std::string Hex4(int value) { return WordToHex4(value & 0xFFFF); }
std::string Address(int value) { return "0x" + Hex4(value); }

std::string DateTimeText(int day, int month, int year, int hour, int minute, int second) {
  char text[64];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", day, month, year, hour, minute, second);
  return text;
}

std::string StateText(const std::optional<StateLook>& look, int code) {
  return look ? look->text : "kod " + std::to_string(code);
}

// A register reply: a byte count, then that many bytes of words.
bool IsRegisterReply(const Payload& p) {
  return p.size() >= 1 && static_cast<std::size_t>(p.at(0)) + 1 == p.size() && p.at(0) % 2 == 0;
}

std::vector<std::int32_t> ReplyWords(const Payload& p) {
  std::vector<std::int32_t> words;
  for (std::size_t i = 1; i + 1 < p.size(); i += 2) words.push_back(p.word(i));
  return words;
}

std::string CardText(int address, const Payload& p, const NumberSeparators& sep) {
  std::vector<std::int32_t> words;
  for (std::size_t i = 0; i + 1 < p.size(); i += 2) words.push_back(p.word(i));
  const TriacCardReading k = ReadTriacCard(words);
  std::string text = DeviceName(address) +
                     " durum: " + StateText(CardStateLook(k.state, k.faultWord), k.state) + ", lambalar " +
                     Hex4(k.lamps) + ", hata " + Hex4(k.faultWord);
  if (k.channelFaults != 0) text += ", kanal hataları " + Hex4(k.channelFaults);
  text += ", akım ";
  for (int c = 0; c < kChannelsPerCard; ++c) {
    if (c > 0) text += '/';
    text += FixedText(RoundedQuotient(k.currentMilliamps[static_cast<std::size_t>(c)], 10), 2, false, sep);
  }
  text += " A, besleme " + std::to_string(RoundedQuotient(CardSupplyHundredths(k.supplyRaw), 100)) + " V";
  if (words.size() < static_cast<std::size_t>(kTriacWords)) {
    text += " (" + std::to_string(words.size()) + " kelime)";
  }
  return text;
}

std::string CpuRegistersText(const std::vector<std::int32_t>& w, const NumberSeparators& sep) {
  const auto word = [&](int i) { return w[static_cast<std::size_t>(i)]; };
  return "CPU kayıtları: " + StateText(RunStateLook(word(cpu_word::kState)), word(cpu_word::kState)) +
         ", şebeke " + ShortFixedText(word(cpu_word::kMainsVoltage), 2, sep) + " V " +
         ShortFixedText(word(cpu_word::kMainsFrequency), 2, sep) + " Hz, besleme " +
         ShortFixedText(word(cpu_word::kPsuVoltage), 2, sep) + " V, sıcaklık " +
         std::to_string(word(cpu_word::kTemperature)) + " C, akım " +
         ShortFixedText(word(cpu_word::kCurrent), 2, sep) + " A";
}

std::string GpsText(const std::vector<std::int32_t>& w) {
  const auto word = [&](int i) { return w[static_cast<std::size_t>(i)]; };
  return "GPS: " + StateText(GpsStateLook(word(gps_word::kState)), word(gps_word::kState)) + ", saat " +
         DateTimeText(word(gps_word::kDay), word(gps_word::kMonth), word(gps_word::kYear),
                      word(gps_word::kHour), word(gps_word::kMinute), word(gps_word::kSecond));
}

std::string DetectorText(const std::vector<std::int32_t>& w) {
  const std::int32_t state = w[detector_word::kState];
  const std::int32_t inputs = w[detector_word::kInputs];
  std::string text = "DED: " + StateText(RunStateLook(state), state) + ", girişler ";
  if (!DetectorInputsValid(inputs)) return text + Address(inputs);
  if (inputs == 0) return text + "yok";
  bool first = true;
  for (int n = 0; n < 4; ++n) {
    if ((inputs >> n & 1) == 0) continue;
    text += (first ? "" : ", ") + std::to_string(n + 1);
    first = false;
  }
  return text;
}

std::string ReadRegistersText(int address, const Payload& p, const NumberSeparators& sep) {
  const std::string device = DeviceName(address);
  if (p.size() == 4) {
    const std::string read = "kayıtları oku " + Address(p.word(0)) + " x" + std::to_string(p.word(2));
    return address == kPcStation ? "PC sırası: " + read : device + " " + read;
  }
  if (!IsRegisterReply(p)) return device + " kayıt okuma, " + std::to_string(p.size()) + " bayt";
  const std::vector<std::int32_t> w = ReplyWords(p);
  if (address == kCpuStation && w.size() > static_cast<std::size_t>(cpu_word::kCurrent))
    return CpuRegistersText(w, sep);
  if (address == kGpsStation && w.size() > static_cast<std::size_t>(gps_word::kYear)) return GpsText(w);
  if (address == kDetectorStation && w.size() > static_cast<std::size_t>(detector_word::kInputs))
    return DetectorText(w);
  std::string text = device + " kayıtları:";
  for (std::size_t i = 0; i < w.size() && i < 8; ++i) text += " " + Hex4(w[i]);
  if (w.size() > 8) text += " ... (" + std::to_string(w.size()) + " kelime)";
  return text;
}

std::string ServiceText(int code) {
  if (const ServiceCommand* service = ServiceCommandOf(code)) {
    return "Servis komutu " + std::to_string(code) + " " + service->caption;
  }
  std::string text = "Komut " + std::to_string(code);
  if (code == request::kDownloadStart) text += " program yükleme başlıyor";
  if (code == request::kDownloadEnd) text += " program yükleme bitti";
  return text;
}

// A command the PC gives the CPU: direction (0 read, 1 write), item, its payload.
std::string PcCommandText(const Payload& p) {
  const int direction = p.at(0);
  const int item = p.at(1);
  if (direction == kCommandRead && item == kClockItem) return "Saat oku";
  if (direction == kCommandRead && item == kBlockItem) return "Blok oku " + Address(p.word(2));
  if (direction == kCommandWrite && item == kBlockItem) return "Blok yaz " + Address(p.word(2));
  if (direction == kCommandWrite && item == kClockItem) {
    return "Saat ayarla: " + DateTimeText(p.at(9), p.at(8), p.word(6), p.at(11), p.at(12), p.at(13));
  }
  if (direction == kCommandWrite && item == kSystemItem) {
    return "Sistem belleği yaz, adım süresi " + std::to_string(p.word(22)) + " s";
  }
  if (direction == kCommandWrite && item == kServiceItem) return ServiceText(p.word(2));
  return std::string(direction == kCommandRead ? "Komut oku" : "Komut yaz") + ", öğe " + std::to_string(item);
}

// The CPU's answers to those commands.
std::string CpuCommandText(int function, const Payload& p) {
  const int item = p.at(1);
  if (function == kCommandFunction && item == kClockItem) {
    return "Saat: " + DateTimeText(p.at(5), p.at(4), p.word(2), p.at(7), p.at(8), p.at(9));
  }
  if (function == kCommandFunction && item == kBlockItem) {
    return "Blok " + Address(p.word(2)) + ", " + std::to_string(p.size() > 6 ? p.size() - 6 : 0) + " bayt";
  }
  if (function == kAcknowledgeFunction && item == kBlockItem) return "Blok " + Address(p.word(2)) + " onay";
  if (function == kAcknowledgeFunction && item == kClockItem) return "Saat ayarı onay";
  if (function == kAcknowledgeFunction && item == kSystemItem) return "Sistem belleği onay";
  return std::string(function == kCommandFunction ? "Komut yanıtı" : "Onay") + ", öğe " +
         std::to_string(item);
}

}  // namespace

std::string DeviceName(int address) {
  if (address < 0) return "";
  if (address >= kFirstCardStation && address < kFirstCardStation + kTriacCards) {
    return kActivityCaptions[static_cast<std::size_t>(address - kFirstCardStation) + 1];
  }
  switch (address) {
    case kCpuStation: return kActivityCaptions[kLampCpu];
    case kPcStation: return kActivityCaptions[kLampPc];
    case kGpsStation: return kActivityCaptions[kLampGps];
    case kDetectorStation: return kActivityCaptions[kLampDetector];
    default: return std::to_string(address);
  }
}

std::string FunctionName(int function) {
  switch (function) {
    case -1: return "";
    case kReadRegistersFunction: return "Kayıt oku";
    case kWriteRegisterFunction: return "Kayıt yaz";
    case kExceptionFunction: return "İstisna";
    case kCardStatusFunction: return "Kart durumu";
    case kCommandFunction: return "Komut";
    case kAcknowledgeFunction: return "Onay";
    default: return std::to_string(function);
  }
}

FrameMeaning MeaningOf(std::string_view body, char decimalSeparator) {
  const NumberSeparators sep{std::string(1, decimalSeparator), {}};
  const FrameCheck check = CheckFrame(body);
  FrameMeaning m{DeviceName(check.address), FunctionName(check.function), check.fault, {}};
  if (check.fault != LineFault::None) {
    m.text = LineFaultText(check.fault);
    return m;
  }
  const int a = check.address;
  const int f = check.function;
  const Payload p(body);
  if (f == kExceptionFunction) {
    m.text = "İstisna " + std::to_string(f) + " adres " + std::to_string(a);
    if (p.size() >= 1) m.text += ", kod " + std::to_string(p.at(0));
  } else if (f == kCardStatusFunction && a >= kFirstCardStation && a < kFirstCardStation + kTriacCards) {
    m.text = CardText(a, p, sep);
  } else if (f == kReadRegistersFunction) {
    m.text = ReadRegistersText(a, p, sep);
  } else if (f == kWriteRegisterFunction && p.size() == 4) {
    m.text = m.device + " kayıt yaz " + Address(p.word(0)) + " = " + Address(p.word(2));
  } else if (f == kCommandFunction && a == kPcStation) {
    m.text = PcCommandText(p);
  } else if ((f == kCommandFunction || f == kAcknowledgeFunction) && a == kCpuStation) {
    m.text = CpuCommandText(f, p);
  } else {
    m.text = "İşlev " + std::to_string(f) + ", " + std::to_string(p.size()) + " bayt";
  }
  return m;
}

}  // namespace bus
