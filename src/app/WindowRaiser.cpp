#include "app/WindowRaiser.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "app/InstanceLock.h"

namespace taskwell {
namespace {

const QByteArray kRequest = QByteArrayLiteral("raise");
const QByteArray kAnswer = QByteArrayLiteral("raised\n");
// A request line: "raise", then the asker's activation token after one blank, if it has one.
constexpr qsizetype kMaxRequest = 512;
constexpr int kBacklog = 8;

// The token as the compositor handed it out: printable ASCII without blanks, or nothing.
QByteArray TokenOf(const QByteArray& line) {
  if (!line.startsWith(QByteArray(kRequest + ' '))) return {};
  QByteArray token = line.mid(kRequest.size() + 1);
  for (const char c : token) {
    if (c <= ' ' || c > '~') return {};
  }
  return token;
}

// The address of a socket path; false when the path does not fit one.
bool AddressOf(const QByteArray& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof address.sun_path)
    return false;
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  return true;
}

sockaddr* Generic(sockaddr_un& address) {
  return reinterpret_cast<sockaddr*>(&address);  // NOLINT: the socket API's own cast
}

// Waits until fd is ready for `events` or the deadline passes; false on the timeout or an error.
bool WaitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd watched{fd, events, 0};
    const int ready = ::poll(&watched, 1, static_cast<int>(left.count()));
    if (ready > 0) return true;
    if (ready == 0 || errno != EINTR) return false;
  }
}

// Sends the request and reads the answer line on a connected socket, within the deadline.
QByteArray Exchange(int fd, const QByteArray& request,
                    std::chrono::steady_clock::time_point deadline) {
  qsizetype sent = 0;
  while (sent < request.size()) {
    if (!WaitFor(fd, POLLOUT, deadline)) return {};
    const ssize_t n = ::send(fd, request.constData() + sent,
                             static_cast<std::size_t>(request.size() - sent), MSG_NOSIGNAL);
    if (n < 0 && errno != EINTR && errno != EAGAIN) return {};
    if (n > 0) sent += n;
  }
  QByteArray answer;
  char buffer[64];
  while (!answer.endsWith('\n') && answer.size() <= kAnswer.size()) {
    if (!WaitFor(fd, POLLIN, deadline)) break;
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) break;
    if (n > 0) answer.append(buffer, n);
  }
  return answer;
}

}  // namespace

WindowRaiser::WindowRaiser(const std::string& lockName, QWidget& window) : window_(window) {
  const QString path = SocketPath(lockName);
  if (!path.isEmpty()) Listen(path.toLocal8Bit());
}

void WindowRaiser::Listen(const QByteArray& path) {
  sockaddr_un address;
  if (!AddressOf(path, address)) return;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return;
  int bound = ::bind(fd, Generic(address), sizeof address);
  if (bound != 0 && errno == EADDRINUSE) {
    // We hold the lock, so a socket left at that path belongs to an instance that died.
    ::unlink(path.constData());
    bound = ::bind(fd, Generic(address), sizeof address);
  }
  // Only this user may connect, whatever the umask; the folder is private to the user as well.
  if (bound != 0 || ::chmod(path.constData(), S_IRUSR | S_IWUSR) != 0 ||
      ::listen(fd, kBacklog) != 0) {
    if (bound == 0) ::unlink(path.constData());
    ::close(fd);
    return;
  }
  listener_ = fd;
  path_ = path;
  auto* listening = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(listening, &QSocketNotifier::activated, this, &WindowRaiser::OnConnection);
}

WindowRaiser::~WindowRaiser() {
  // The notifiers go before the sockets they watch.
  qDeleteAll(findChildren<QSocketNotifier*>(Qt::FindDirectChildrenOnly));
  for (auto peer = received_.keyBegin(); peer != received_.keyEnd(); ++peer) ::close(*peer);
  if (listener_ < 0) return;
  ::close(listener_);
  ::unlink(path_.constData());
}

QString WindowRaiser::SocketPath(const std::string& lockName) {
  if (lockName.empty()) return {};
  const std::string folder = InstanceLock::LockFolder();
  if (folder.empty()) return {};
  // Half the SHA-256 keeps the path within the 108 bytes a Unix socket address allows.
  const std::string digest = InstanceLock::NameDigest(lockName).substr(0, 32);
  return QString::fromLocal8Bit(folder.c_str()) + QStringLiteral("/") +
         QString::fromLatin1(digest.c_str()) + QStringLiteral(".raise");
}

bool WindowRaiser::AskToRaise(const std::string& lockName, int timeoutMs) {
  sockaddr_un address;
  if (!AddressOf(SocketPath(lockName).toLocal8Bit(), address)) return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  // A listener whose backlog is full leaves the connection pending; anything else is at once.
  bool connected = ::connect(fd, Generic(address), sizeof address) == 0;
  if (!connected && errno == EINPROGRESS && WaitFor(fd, POLLOUT, deadline)) {
    int error = 0;
    socklen_t size = sizeof error;
    connected = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
  }
  // The desktop lets a window come forward for the one who holds the token of a user's action:
  // the launcher gave it to this start, and the running window spends it.
  QByteArray request = kRequest;
  const QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
  if (!token.isEmpty() && !TokenOf(QByteArray(kRequest + ' ' + token)).isEmpty())
    request += ' ' + token;
  // Waiting for the answer keeps our message from appearing before the window has come forward.
  const bool raised = connected && Exchange(fd, request + '\n', deadline) == kAnswer;
  ::close(fd);
  return raised;
}

void WindowRaiser::OnConnection() {
  for (;;) {
    const int peer = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (peer < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;
    }
    received_.insert(peer, {});
    auto* notifier = new QSocketNotifier(peer, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this,
            [this, peer, notifier] { OnRequest(peer, notifier); });
  }
}

void WindowRaiser::OnRequest(int peer, QSocketNotifier* notifier) {
  QByteArray& got = received_[peer];
  char buffer[kMaxRequest + 1];
  const ssize_t n = ::recv(peer, buffer, sizeof buffer, 0);
  if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
  if (n > 0) got.append(buffer, n);
  const qsizetype end = got.indexOf('\n');
  // Anything but the one request is ignored; a peer that sends more gets no say.
  if (end < 0 && n > 0 && got.size() <= kMaxRequest) return;
  if (end >= 0 && end <= kMaxRequest) {
    const QByteArray line = got.left(end);
    if (line == kRequest || !TokenOf(line).isEmpty()) {
      Raise(TokenOf(line));
      ::send(peer, kAnswer.constData(), static_cast<std::size_t>(kAnswer.size()), MSG_NOSIGNAL);
    }
  }
  notifier->setEnabled(false);
  notifier->deleteLater();
  received_.remove(peer);
  ::close(peer);
}

void WindowRaiser::Raise(const QByteArray& token) {
  if (window_.isMinimized()) window_.showNormal();
  window_.raise();
  // Under Wayland only xdg-activation brings a window forward; Qt spends the token it finds in
  // XDG_ACTIVATION_TOKEN on the next activation request.
  if (!token.isEmpty() && QGuiApplication::platformName().startsWith(QStringLiteral("wayland")))
    qputenv("XDG_ACTIVATION_TOKEN", token);
  lastToken_ = token;
  window_.activateWindow();
  // An open dialog of ours stays above the window it belongs to.
  if (QWidget* modal = QApplication::activeModalWidget()) {
    modal->raise();
    modal->activateWindow();
  }
}

}  // namespace taskwell
