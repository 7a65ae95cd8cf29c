#include "program/signal_state_look.h"

namespace program {

std::string SignalStateName(int code) {
  switch (code) {
    case 0: return "Kapalı";
    case 1: return "Kırmızı";
    case 2: return "Sarı";
    case 3: return "Kırmızı + Sarı";
    case 4: return "Yeşil";
    case 9: return "Kırmızı Flas";
    case 10: return "Sarı Flas";
    case 12: return "Yeşil Flas";
    default: return "Kod " + std::to_string(code);
  }
}

}  // namespace program
