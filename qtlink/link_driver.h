#pragma once
// Runs one controller link inside the Qt event loop: the port, the core object and
// the 10 ms engine tick. Between the PC's turns of an open link the tick has nothing
// to do and rests at a slower pace, so that a link on an idle bus costs next to no
// processor time. The communication window owns one while it is open, so the port
// belongs to that window and closes with it.

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <memory>

#include "link/controller_link.h"
#include "link/serial_port.h"

namespace qtlink {

class LinkDriver : public QObject {
  Q_OBJECT
 public:
  // On the serial device a port number stands for, or the one devicePath names.
  LinkDriver(const bus::Clock& clock, bus::LinkTables tables, QString devicePath = {},
             QObject* parent = nullptr);
  // On a port made elsewhere, such as a test's scripted one.
  LinkDriver(std::unique_ptr<bus::SerialPort> port, const bus::Clock& clock, bus::LinkTables tables,
             QObject* parent = nullptr);
  ~LinkDriver() override;

  bus::ControllerLink& Link() { return *m_link; }
  const bus::ControllerLink& Link() const { return *m_link; }
  bus::SerialPort& Port() { return *m_port; }

  static constexpr int kTickMs = 10;
  static constexpr int kRestMs = 100;

  // After a user command: tell the views now rather than at the next tick, and take
  // up the 10 ms tick if the command gave it work.
  void Notify();

 signals:
  // The link's display state moved (its version grew).
  void displayChanged();

 private:
  void Tick();

  std::unique_ptr<bus::SerialPort> m_port;
  std::unique_ptr<bus::ControllerLink> m_link;
  void Pace();

  QTimer m_timer;
  std::uint64_t m_shownVersion = 0;
  bus::LinkEvents::Subscription m_turns;
};

}  // namespace qtlink
