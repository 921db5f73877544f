#include "app/WindowRaiser.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include "app/InstanceLock.h"

namespace taskwell {
namespace {

const QByteArray kRequest = QByteArrayLiteral("raise\n");
const QByteArray kAnswer = QByteArrayLiteral("raised\n");

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
  socket.write(kRequest);
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
        if (socket->bytesAvailable() > kRequest.size()) socket->abort();
        return;
      }
      if (socket->readLine(64) == kRequest) {
        Raise();
        socket->write(kAnswer);
        socket->flush();
      }
      socket->disconnectFromServer();
    });
  }
}

void WindowRaiser::Raise() {
  if (window_.isMinimized()) window_.showNormal();
  window_.raise();
  window_.activateWindow();
  // An open dialog of ours stays above the window it belongs to.
  if (QWidget* modal = QApplication::activeModalWidget()) {
    modal->raise();
    modal->activateWindow();
  }
}

}  // namespace taskwell
