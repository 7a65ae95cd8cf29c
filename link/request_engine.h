#pragma once
// Decides the one frame the PC sends at each of its turns: the idle poll cycle
// (register block, controller clock, a silent turn) or the user command that has
// taken its place.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/link_state.h"
#include "program/editor_model.h"
#include "program/program_image.h"

namespace bus {

// What a frame carried, for whoever hears that it went out.
struct SentRequest {
  std::int16_t request = 0;  // the RequestCode the frame was built for
  std::int32_t address = 0;  // the block address of a block frame
  bool once = false;         // a command the controller never acknowledges
};

class RequestEngine {
 public:
  static constexpr std::size_t kSystemRowBytes = 17;  // duration, then 16 state bytes

  RequestEngine(LinkShared& shared, const Clock& clock) : m_shared(shared), m_clock(clock) {}

  // Builds the frame for this PC turn (or none) and moves RequestCode on. A command
  // sent once that has not left yet is never replaced: such a turn builds nothing.
  void PC_to_CPU_Istek_Gonder();

  bool FrameReady() const { return m_frameReady; }
  const std::string& TxFrame() const { return m_txFrame; }
  // The frame left the port. A command sent once moves RequestCode on only now, so
  // that one lost before it left is built again at the next turn.
  SentRequest FrameSent();
  // The frame will not go out: it belonged to a turn that is over.
  void DropFrame() { m_frameReady = false; }

  // A download goes down from copies taken when it starts, so that nothing the user
  // does while it runs mixes another program into it.
  void StartProgramDownload(const program::ProgramImage& image);
  // The system memory row of this record (the memory list's index at the start).
  void StartSystemDownload(const program::EditorModel& model, int record);

  std::uint8_t PollStep() const { return m_pollStep; }

 private:
  void SetFrame(std::string frame, bool once = false, std::int16_t then = 0);
  void BuildCommand(std::uint8_t direction, std::uint8_t item, bool once = false, std::int16_t then = 0);

  LinkShared& m_shared;
  const Clock& m_clock;
  std::string m_txFrame;
  bool m_frameReady = false;
  SentRequest m_built;
  std::int16_t m_then = 0;  // RequestCode after a command sent once
  std::uint8_t m_pollStep = 0;
  std::vector<std::uint8_t> m_download;  // 0 .. TransferEnd - 1 as it was at the start
  std::array<std::uint8_t, kSystemRowBytes> m_systemRow{};
};

}  // namespace bus
