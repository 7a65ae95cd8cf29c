#pragma once
// The controller's service commands in the order of its list: the request code each
// sends (the first code plus the list index), the caption the communication window and
// the bus monitor show, and the word kx7140ctl's command line takes for it.

#include <array>
#include <cstdint>

namespace bus {

struct ServiceCommand {
  std::int16_t code;
  const char* caption;
  const char* word;
};

inline constexpr std::array<ServiceCommand, 5> kServiceCommands = {{
    {1001, "Reset CPU", "reset-cpu"},
    {1002, "Reset Parameters", "reset-parameters"},
    {1003, "Reset Alarm List", "reset-alarm-list"},
    {1004, "Reset RTC Chip", "reset-rtc"},
    {1005, "Reset Program Chip", "reset-program-chip"},
}};

// The service command a request code stands for; none for any other code.
constexpr const ServiceCommand* ServiceCommandOf(int code) {
  for (const ServiceCommand& c : kServiceCommands) {
    if (c.code == code) return &c;
  }
  return nullptr;
}

}  // namespace bus
