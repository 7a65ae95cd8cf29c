#pragma once
// Runs the event loop until a condition holds or the time is up, for tests that
// drive a real port.

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

namespace qttest {

inline bool WaitUntil(const std::function<bool()>& done, int ms = 3000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

}  // namespace qttest
