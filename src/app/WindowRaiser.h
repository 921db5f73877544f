#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <string>

class QSocketNotifier;
class QWidget;

namespace taskwell {

// A second start on a file that is already open brings the running window to the front. The
// instance that holds the lock listens on a local socket named after the lock; the refused one
// asks it to come forward before it shows its message, handing over its activation token. The
// socket is a plain Unix one, watched by the window's event loop: a start does not need a network
// library for it.
class WindowRaiser final : public QObject {
  Q_OBJECT

 public:
  // Listens for lockName; nothing listens for the empty name, which never conflicts.
  WindowRaiser(const std::string& lockName, QWidget& window);
  ~WindowRaiser() override;
  WindowRaiser(const WindowRaiser&) = delete;
  WindowRaiser& operator=(const WindowRaiser&) = delete;

  bool IsListening() const { return listener_ >= 0; }
  // The activation token that came with the last raise request; empty when none did.
  const QByteArray& LastToken() const { return lastToken_; }

  // The socket's path: beside the lock files, so only this user can reach it.
  static QString SocketPath(const std::string& lockName);
  // True when a running instance answered that it came to the front.
  static bool AskToRaise(const std::string& lockName, int timeoutMs = 2000);

 private:
  void Listen(const QByteArray& path);
  void OnConnection();
  // Reads what a peer sent; answers and hangs up once its line is whole or it sent too much.
  void OnRequest(int peer, QSocketNotifier* notifier);
  void Raise(const QByteArray& token);

  QWidget& window_;
  QByteArray path_;
  int listener_ = -1;
  // What each connected peer has sent so far, by its socket.
  QHash<int, QByteArray> received_;
  QByteArray lastToken_;
};

}  // namespace taskwell
