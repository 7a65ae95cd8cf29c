#pragma once
// What each status control of the communication window shows. The link core keeps
// it up to date; a window only renders it, after checking `version`.

#include <array>
#include <cstdint>
#include <string>

namespace bus {

using Rgb = std::uint32_t;  // 0xRRGGBB
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kGreen = 0x00FF00;
inline constexpr Rgb kRed = 0xFF0000;
inline constexpr Rgb kYellow = 0xFFFF00;

inline constexpr int kActivityLamps = 12;
inline constexpr int kLampCpu = 0;
inline constexpr int kLampPc = 9;
inline constexpr int kLampGps = 10;
inline constexpr int kLampDetector = 11;

inline constexpr std::array<const char*, kActivityLamps> kActivityCaptions = {
    "CPU", "K1", "K2", "K3", "K4", "K5", "K6", "K7", "K8", "PC", "GPS", "DED"};

struct LinkDisplay {
  std::string cmd_RUN = "ONLINE";
  bool UpDown1Enabled = true;
  std::string Label1 = "1";  // port number
  std::string PortDevice;    // the device the port number resolves to
  bool PortOpen = false;     // MB_Status_Led green when true
  std::string L_Comm_Status = "xxx";
  std::string MB_TX_LBL;
  std::string MB_RX_LBL;
  std::string Label2 = "----";
  // A warning that stands in Label2's place until its cause is gone (an abandoned
  // program download); "" when none.
  std::string Warning;
  std::string MB_Status_LBL = "----";
  std::string LBL_CPU_rtc = "CPU_RTC";
  std::string LBL_PC_rtc = "PC_RTC";
  std::array<Rgb, kActivityLamps> LBL_COMM_ANI{kWhite, kWhite, kWhite, kWhite, kWhite, kWhite,
                                               kWhite, kWhite, kWhite, kWhite, kWhite, kWhite};
  // Grows with every change, so that a view redraws only when something moved.
  std::uint64_t version = 0;
};

}  // namespace bus
