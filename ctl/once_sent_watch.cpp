#include "ctl/once_sent_watch.h"

#include "link/controller_link.h"

namespace ctl {

void OnceSentWatch::BeforeTurn(const bus::ControllerLink& link, std::int16_t requestCode) {
  if (m_state == State::Built) {
    // The frame built at the last turn either went out before this turn or is about
    // to be replaced by this turn's frame.
    m_state = link.FramesSent() > m_sentBeforeBuild ? State::Sent : State::Overtaken;
  }
  if (m_state == State::Waiting && requestCode == m_code) {
    m_state = State::Built;
    m_sentBeforeBuild = link.FramesSent();
  }
}

void OnceSentWatch::AfterEvent(const bus::ControllerLink& link) {
  // Between two turns nothing is built, so the first send after the build is ours.
  if (m_state == State::Built && link.FramesSent() > m_sentBeforeBuild) m_state = State::Sent;
}

}  // namespace ctl
