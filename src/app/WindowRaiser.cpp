#include "app/WindowRaiser.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include "app/InstanceLock.h"

namespace taskwell {
namespace {

const QByteArray kRequest = QByteArrayLiteral("raise");
const QByteArray kAnswer = QByteArrayLiteral("raised\n");
// A request line: "raise", then the asker's activation token after one blank, if it has one.
constexpr qint64 kMaxRequest = 512;

// The token as the compositor handed it out: printable ASCII without blanks, or nothing.
QByteArray TokenOf(const QByteArray& line) {
  if (!line.startsWith(QByteArray(kRequest + ' '))) return {};
  QByteArray token = line.mid(kRequest.size() + 1);
  for (const char c : token) {
    if (c <= ' ' || c > '~') return {};
  }
  return token;
}

}  // namespace

WindowRaiser::WindowRaiser(const std::string& lockName, QWidget& window) : window_(window) {
  const QString path = SocketPath(lockName);
  if (path.isEmpty()) return;
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &WindowRaiser::OnConnection);
  if (server_->listen(path)) return;
  // We hold the lock, so a socket left at that path belongs to an instance that died.
  QLocalServer::removeServer(path);
  server_->listen(path);
}

WindowRaiser::~WindowRaiser() = default;

bool WindowRaiser::IsListening() const {
  return server_ != nullptr && server_->isListening();
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
  const QString path = SocketPath(lockName);
  if (path.isEmpty()) return false;
  QLocalSocket socket;
  socket.connectToServer(path);
  if (!socket.waitForConnected(timeoutMs)) return false;
  // The desktop lets a window come forward for the one who holds the token of a user's action:
  // the launcher gave it to this start, and the running window spends it.
  QByteArray request = kRequest;
  const QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
  if (!token.isEmpty() && !TokenOf(QByteArray(kRequest + ' ' + token)).isEmpty())
    request += ' ' + token;
  socket.write(QByteArray(request + '\n'));
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  // Waiting for the answer keeps our message from appearing before the window has come forward.
  QByteArray answer;
  while (!answer.endsWith('\n') && socket.waitForReadyRead(timeoutMs)) answer += socket.readAll();
  return answer == kAnswer;
}

void WindowRaiser::OnConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      // Anything but the one request is ignored; a peer that sends more gets no say.
      if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxRequest) socket->abort();
        return;
      }
      const QByteArray line = socket->readLine(kMaxRequest).chopped(1);
      if (line == kRequest || !TokenOf(line).isEmpty()) {
        Raise(TokenOf(line));
        socket->write(kAnswer);
        socket->flush();
      }
      socket->disconnectFromServer();
    });
  }
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
