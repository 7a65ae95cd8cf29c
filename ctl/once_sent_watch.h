#pragma once
// Whether a command the controller never acknowledges (a service command, the start
// or end of a program download) really left the port. The engine builds such a frame
// once and moves on at once; if the next PC turn comes before the send gap has run
// out, that turn's frame replaces the unsent one and the command is lost without a
// trace in the link state. This watch tells the two apart from the link's counters.

#include <cstdint>

namespace bus {
class ControllerLink;
}

namespace ctl {

class OnceSentWatch {
 public:
  enum class State { Waiting, Built, Sent, Overtaken };

  explicit OnceSentWatch(std::int16_t requestCode) : m_code(requestCode) {}

  // At every PC turn, before the engine builds the turn's frame.
  void BeforeTurn(const bus::ControllerLink& link, std::int16_t requestCode);
  // After any event in which the link may have written to the port.
  void AfterEvent(const bus::ControllerLink& link);

  State state() const { return m_state; }

 private:
  std::int16_t m_code;
  State m_state = State::Waiting;
  std::uint64_t m_sentBeforeBuild = 0;
};

}  // namespace ctl
