#pragma once
// What each word that the triac cards, the CPU card, the GPS receiver and the detector
// module report means: which word is the lamp word, the nibble order of the channels,
// the fault bits, the supply conversion and the state texts. Decided here once; the
// panels, the lamp panel, the bus monitor and kx7140ctl only format what it returns.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "link/link_display.h"
#include "link/register_image.h"

namespace bus {

// Words of a triac card's status frame, as TriacCardRegs holds them.
namespace card_word {
inline constexpr int kState = 0;
inline constexpr int kLamps = 2;
inline constexpr int kChannelFaults = 3;
inline constexpr int kFirstCurrent = 4;  // 4..7, one per channel, in mA
inline constexpr int kSupply = 8;
inline constexpr int kFaultWord = 9;
}  // namespace card_word

// CPU card registers 0x2000 + i, as CpuCardRegs holds them.
namespace cpu_word {
inline constexpr int kState = 0;
inline constexpr int kMainsVoltage = 3;    // hundredths of a volt
inline constexpr int kMainsFrequency = 4;  // hundredths of a hertz
inline constexpr int kPsuVoltage = 5;      // hundredths of a volt
inline constexpr int kTemperature = 7;     // whole degrees Celsius
inline constexpr int kCurrent = 8;         // hundredths of an ampere
}  // namespace cpu_word

// GpsRegs elements.
namespace gps_word {
inline constexpr int kState = 1;
inline constexpr int kSecond = 2;
inline constexpr int kMinute = 3;
inline constexpr int kHour = 4;
inline constexpr int kDay = 5;
inline constexpr int kMonth = 6;
inline constexpr int kYear = 7;
}  // namespace gps_word

// DetectorRegs elements.
namespace detector_word {
inline constexpr int kState = 0;
inline constexpr int kInputs = 1;  // bit n is input n + 1
}  // namespace detector_word

inline constexpr int kChannelsPerCard = 4;
inline constexpr int kSignalGroups = kTriacCards * kChannelsPerCard;

// The fault bits of one channel, one nibble of the channel-fault word.
enum class ChannelFault { RedFilament = 0, NoCurrent = 1, OutputFault = 2, LineContact = 3 };

// Bits of a card's fault word that name their fault; every other bit still puts the
// card in error.
inline constexpr std::int32_t kCardAcFault = 0x0004;
inline constexpr std::int32_t kCardIoFault = 0x0008;
constexpr std::int32_t SensorMissingBit(int channel) { return std::int32_t{0x1000} << channel; }

// Channel c's nibble of a card word (lamp states, fault sets): the lowest nibble is
// channel 0. Words are 16 bits wide, whatever the stored number holds beyond.
constexpr int ChannelNibble(std::int32_t word, int channel) {
  return static_cast<int>((word & 0xFFFF) >> (4 * channel)) & 0xF;
}

constexpr bool HasChannelFault(std::int32_t faultsWord, int channel, ChannelFault fault) {
  return (ChannelNibble(faultsWord, channel) >> static_cast<int>(fault) & 1) != 0;
}

// The supply is reported in steps of 10 mV above 1 V.
constexpr std::int64_t CardSupplyHundredths(std::int32_t raw) { return std::int64_t{raw} - 100; }
// Good above 20 V: exactly 20.00 V already counts as low.
constexpr bool CardSupplyGood(std::int32_t raw) { return CardSupplyHundredths(raw) > 2000; }

// Hundredths of a volt times hundredths of an ampere: the mains power in 1/10000 W.
constexpr std::int64_t MainsPowerTenThousandths(std::int32_t voltage, std::int32_t current) {
  return std::int64_t{voltage} * current;
}

// A detector word wider than the four inputs is not an input word.
constexpr bool DetectorInputsValid(std::int32_t word) { return word >= 0 && word <= 15; }

// How a run state shows: a text beside an indicator of one colour.
struct StateLook {
  const char* text;
  Rgb colour;
  bool operator==(const StateLook&) const = default;
};

inline constexpr Rgb kBlack = 0x000000;
inline constexpr StateLook kErrorLook{"Error", kRed};

// Triac cards, the CPU card and the detector module: 0 offline, 1 stopped, 2 running.
// A code outside these has no look: a view keeps what it showed before.
constexpr std::optional<StateLook> RunStateLook(std::int32_t code) {
  switch (code) {
    case 0: return StateLook{"Ofline", kWhite};
    case 1: return StateLook{"Stop", kBlack};
    case 2: return StateLook{"Run", kGreen};
    default: return std::nullopt;
  }
}

// The GPS receiver: 0 offline, 1 searching for satellites, 2 satellite found.
constexpr std::optional<StateLook> GpsStateLook(std::int32_t code) {
  switch (code) {
    case 0: return StateLook{"Ofline", kWhite};
    case 1: return StateLook{"Uydu Araniyor", kBlack};
    case 2: return StateLook{"Uydu Bulundu", kGreen};
    default: return std::nullopt;
  }
}

// A triac card: any bit of its fault word overrides its state code.
constexpr std::optional<StateLook> CardStateLook(std::int32_t state, std::int32_t faultWord) {
  if (faultWord != 0) return kErrorLook;
  return RunStateLook(state);
}

// One triac card's words by meaning.
struct TriacCardReading {
  std::int32_t state = 0;
  std::int32_t lamps = 0;
  std::int32_t channelFaults = 0;
  std::array<std::int32_t, kChannelsPerCard> currentMilliamps{};
  std::int32_t supplyRaw = 0;
  std::int32_t faultWord = 0;
  bool operator==(const TriacCardReading&) const = default;
};
// Words past the end of `words` read 0, so a short frame can be read as well.
TriacCardReading ReadTriacCard(std::span<const std::int32_t> words);
TriacCardReading ReadTriacCard(const RegisterImage& regs, int card);

// The lamp state of every signal group: group g is channel g % 4 of card g / 4.
std::array<int, kSignalGroups> GroupLampStates(const RegisterImage& regs);

}  // namespace bus
