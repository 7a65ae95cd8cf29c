#include "qtlink/link_driver.h"

#include "qtlink/qt_serial_port.h"

namespace qtlink {

LinkDriver::LinkDriver(const bus::Clock& clock, bus::LinkTables tables, QString devicePath, QObject* parent)
    : LinkDriver(std::make_unique<QtSerialPort>(std::move(devicePath)), clock, tables, parent) {}

LinkDriver::LinkDriver(std::unique_ptr<bus::SerialPort> port, const bus::Clock& clock, bus::LinkTables tables,
                       QObject* parent)
    : QObject(parent),
      m_port(std::move(port)),
      m_link(std::make_unique<bus::ControllerLink>(*m_port, clock, tables)) {
  m_shownVersion = m_link->Display().version;
  m_timer.setTimerType(Qt::PreciseTimer);
  m_timer.setInterval(kTickMs);
  connect(&m_timer, &QTimer::timeout, this, &LinkDriver::Tick);
  m_timer.start();
  // A turn may leave a frame waiting for the send gap: back to the 10 ms tick.
  m_turns = tables.events.Listen([this](const bus::LinkEvent& e) {
    if (std::holds_alternative<bus::PcTurn>(e) && m_timer.interval() != kTickMs) m_timer.start(kTickMs);
  });
}

LinkDriver::~LinkDriver() {
  m_timer.stop();
  m_link.reset();  // closes the port before the adapter goes
}

void LinkDriver::Tick() {
  m_link->Timer1Tick();
  Notify();
}

void LinkDriver::Pace() {
  // Opening, closing and a frame waiting for the gap are served every 10 ms; the
  // rest only looks for what came without a turn (a lost device, a silent bus).
  const int interval = m_link->TickWanted() ? kTickMs : kRestMs;
  if (m_timer.interval() != interval) m_timer.start(interval);
}

void LinkDriver::Notify() {
  Pace();
  // Receive events change the display too; they are picked up here at the latest
  // one tick later, which no eye can tell apart.
  const std::uint64_t v = m_link->Display().version;
  if (v != m_shownVersion) {
    m_shownVersion = v;
    emit displayChanged();
  }
}

}  // namespace qtlink
