#pragma once
// Link state shared between the request engine, the decoder and the windows that
// start commands. Commands enter the link only by setting these values.

#include <cstdint>

#include "program/memory_map.h"

namespace bus {

// Request codes the engine knows besides the service commands (link/service_commands.h);
// any value below 10 is the idle poll.
namespace request {
inline constexpr std::int16_t kClockSet = 100;
inline constexpr std::int16_t kSystemDownload = 200;
inline constexpr std::int16_t kBlockWrite = 220;
inline constexpr std::int16_t kBlockRead = 300;
inline constexpr std::int16_t kDownloadStart = 1006;
inline constexpr std::int16_t kDownloadEnd = 1010;
}  // namespace request

struct LinkShared {
  std::int16_t RequestCode = 0;
  std::int32_t TransferAddress = 0;
  std::int32_t TransferEnd = static_cast<std::int32_t>(program::kDownloadEnd);
  std::int16_t PortNumber = 1;
  bool LogReading = false;
  // Blocks a program download had confirmed when it was abandoned; -1 while no such
  // download stands. Only a download that completes clears it, so the warning outlives
  // the communication window.
  std::int32_t InterruptedDownloadBlocks = -1;
};

// Flags of open windows and pending redraws.
struct ViewFlags {
  bool CardsViewOpen = false;
  bool RegistersViewDirty = false;
  bool TablesReady = false;
  bool SimActive = false;
  bool LampStatesDirty = false;
  bool LiveLampsDirty = false;  // card lamp words arrived and wait for the live lamp panel
};

}  // namespace bus
