#pragma once
// What one bus line means, in words: the device it names, its function, and a text
// such as "K3 durum: Run, lambalar 4321, hata 0000, akım 0,38/0,45/0,39/0,38 A,
// besleme 24 V" or "Blok 0x1A80 onay". The word meanings come from register_meaning;
// this only puts them into words. Made when a row is drawn, never stored.

#include <string>
#include <string_view>

#include "link/frame_check.h"

namespace bus {

struct FrameMeaning {
  std::string device;    // "CPU", "K1".."K8", "PC", "GPS", "DED", else the address; "" if unreadable
  std::string function;  // "Kart durumu", "Kayıt oku", ...; the number for one without a name
  LineFault fault = LineFault::None;
  std::string text;  // the meaning, or for a refused line the reason
};

// The name of a bus address, as the activity lamps are captioned.
std::string DeviceName(int address);
std::string FunctionName(int function);

// `body` is the line without its CR LF; numbers are written with `decimalSeparator`.
// A frame means the same whoever put it on the wire: the PC's requests and the
// controller's frames differ in their layout, not in who sent them.
FrameMeaning MeaningOf(std::string_view body, char decimalSeparator);

}  // namespace bus
