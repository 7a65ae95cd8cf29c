#pragma once
// Runs one controller link inside the Qt event loop: the port, the core object and
// the 10 ms engine tick. The communication window owns one while it is open, so the
// port belongs to that window and closes with it.

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <memory>

#include "link/controller_link.h"
#include "qtlink/qt_serial_port.h"

namespace qtlink {

class LinkDriver : public QObject {
  Q_OBJECT
 public:
  LinkDriver(const bus::Clock& clock, bus::LinkTables tables, QString devicePath = {},
             QObject* parent = nullptr);
  ~LinkDriver() override;

  bus::ControllerLink& Link() { return *m_link; }
  const bus::ControllerLink& Link() const { return *m_link; }
  QtSerialPort& Port() { return m_port; }

  // After a user command: tell the views now rather than at the next tick.
  void Notify();

 signals:
  // The link's display state moved (its version grew).
  void displayChanged();

 private:
  void Tick();

  QtSerialPort m_port;
  std::unique_ptr<bus::ControllerLink> m_link;
  QTimer m_timer;
  std::uint64_t m_shownVersion = 0;
};

}  // namespace qtlink
