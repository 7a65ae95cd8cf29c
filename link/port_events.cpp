#include "link/port_events.h"

namespace bus {

std::string PortEventText(int eventCode) {
  switch (eventCode) {
    case 3: return "Change in CTS Detected";
    case 4: return "Change in DSR Detected";
    case 5: return "Change in CD Detected";
    case 6: return "The Phone is Ringing";
    case 7: return "End of File Detected";
    case 1001: return "Break Received";
    case 1002: return "CTS Timeout";
    case 1003: return "DSR Timeout";
    case 1004: return "Framing Error";
    case 1006: return "Overrun Error";
    case 1007: return "Carrier Detect Timeout";
    case 1008: return "Receive Buffer Overflow";
    case 1009: return "Parity Error";
    case 1010: return "Transmit Buffer Full";
    case 1011: return "Error retrieving DCB";
    default: return "Unknown error or event";
  }
}

}  // namespace bus
