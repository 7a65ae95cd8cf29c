#pragma once
// The controller's service commands in the order of its list: the request code each
// sends (the first code plus the list index), the caption the communication window and
// the bus monitor show, and the word kx7140ctl's command line takes for it.

#include <array>
#include <cstdint>

namespace bus {

// The request codes of the service commands.
namespace service {
inline constexpr std::int16_t kResetCpu = 1001;
inline constexpr std::int16_t kResetParameters = 1002;
inline constexpr std::int16_t kResetAlarmList = 1003;
inline constexpr std::int16_t kResetRtc = 1004;
inline constexpr std::int16_t kResetProgramChip = 1005;
}  // namespace service

struct ServiceCommand {
  std::int16_t code;
  const char* caption;
  const char* word;
};

inline constexpr std::array<ServiceCommand, 5> kServiceCommands = {{
    {service::kResetCpu, "Reset CPU", "reset-cpu"},
    {service::kResetParameters, "Reset Parameters", "reset-parameters"},
    {service::kResetAlarmList, "Reset Alarm List", "reset-alarm-list"},
    {service::kResetRtc, "Reset RTC Chip", "reset-rtc"},
    {service::kResetProgramChip, "Reset Program Chip", "reset-program-chip"},
}};

// The service command a request code stands for; none for any other code.
constexpr const ServiceCommand* ServiceCommandOf(int code) {
  for (const ServiceCommand& c : kServiceCommands) {
    if (c.code == code) return &c;
  }
  return nullptr;
}

}  // namespace bus
