#include "shell/stop_signals.h"

#include <QSocketNotifier>

#if defined(__linux__)
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>
#endif

namespace shell {

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
#if defined(__linux__)
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  if (pthread_sigmask(SIG_BLOCK, &set, nullptr) != 0) return;
  m_fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (m_fd < 0) {
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
