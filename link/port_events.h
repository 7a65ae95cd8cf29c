#pragma once
// Texts of the serial port's event codes, as the status line shows them.

#include <string>

namespace bus {

std::string PortEventText(int eventCode);

}  // namespace bus
