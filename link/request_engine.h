#pragma once
// Decides the one frame the PC sends at each of its turns: the idle poll cycle
// (register block, controller clock, a silent turn) or the user command that has
// taken its place.

#include <cstdint>
#include <string>

#include "link/clock.h"
#include "link/link_state.h"
#include "program/editor_model.h"
#include "program/program_image.h"

namespace bus {

class RequestEngine {
 public:
  RequestEngine(LinkShared& shared, const program::ProgramImage& image,
                const program::EditorModel& model, const Clock& clock)
      : m_shared(shared), m_image(image), m_model(model), m_clock(clock) {}

  // Builds the frame for this PC turn (or none) and moves RequestCode on.
  void PC_to_CPU_Istek_Gonder();

  bool FrameReady() const { return m_frameReady; }
  const std::string& TxFrame() const { return m_txFrame; }
  void FrameSent() { m_frameReady = false; }

  std::uint8_t PollStep() const { return m_pollStep; }
  // The memory list's selection; its record's step 1 is the system memory row.
  void SetMemoryListIndex(int index) { m_memoryListIndex = index; }

 private:
  void SetFrame(std::string frame);
  void BuildCommand(std::uint8_t direction, std::uint8_t item);

  LinkShared& m_shared;
  const program::ProgramImage& m_image;
  const program::EditorModel& m_model;
  const Clock& m_clock;
  std::string m_txFrame;
  bool m_frameReady = false;
  std::uint8_t m_pollStep = 0;
  int m_memoryListIndex = 1;
};

}  // namespace bus
