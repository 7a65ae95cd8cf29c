#include "shell/stop_signals.h"

#include <QSocketNotifier>

#if defined(__linux__)
#include <sys/signalfd.h>
#include <unistd.h>
#include <csignal>
#endif

namespace shell {

#if defined(__linux__)
namespace {
sigset_t StopSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}
}  // namespace
#endif

void BlockStopSignals() {
#if defined(__linux__)
  const sigset_t set = StopSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
#endif
}

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
#if defined(__linux__)
  const sigset_t set = StopSet();
  m_fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (m_fd < 0) {
    // Without the descriptor the signals would be lost; let them act as before.
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    return;
  }
  m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
  connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::OnReadable);
#endif
}

StopSignals::~StopSignals() {
#if defined(__linux__)
  if (m_fd >= 0) close(m_fd);
#endif
}

void StopSignals::OnReadable() {
#if defined(__linux__)
  signalfd_siginfo info;
  while (read(m_fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    emit stopRequested(static_cast<int>(info.ssi_signo));
  }
#endif
}

}  // namespace shell
