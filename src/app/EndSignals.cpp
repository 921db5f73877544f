#include "app/EndSignals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace taskwell {
namespace {

int signalSocket[2] = {-1, -1};

void OnEndSignal(int signal) {
  const int saved = errno;
  const auto byte = static_cast<unsigned char>(signal);
  // Only an async-signal-safe write here: no allocation, no lock.
  [[maybe_unused]] const ssize_t n = ::write(signalSocket[1], &byte, 1);
  errno = saved;
}

}  // namespace

void EndThroughEventLoop(std::function<void(int signal)> end) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSocket) != 0)
    return;
  auto* notifier =
      new QSocketNotifier(signalSocket[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [end = std::move(end)] {
    unsigned char byte = 0;
    if (::read(signalSocket[0], &byte, 1) == 1) end(byte);
  });
  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGQUIT}) ::sigaction(signal, &action, nullptr);
}

}  // namespace taskwell
