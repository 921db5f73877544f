#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <string>

class QLocalServer;
class QWidget;

namespace taskwell {

// A second start on a file that is already open brings the running window to the front. The
// instance that holds the lock listens on a local socket named after the lock; the refused one
// asks it to come forward before it shows its message, handing over its activation token.
class WindowRaiser final : public QObject {
  Q_OBJECT

 public:
  // Listens for lockName; nothing listens for the empty name, which never conflicts.
  WindowRaiser(const std::string& lockName, QWidget& window);
  ~WindowRaiser() override;

  bool IsListening() const;
  // The activation token that came with the last raise request; empty when none did.
  const QByteArray& LastToken() const { return lastToken_; }

  // The socket's path: beside the lock files, so only this user can reach it.
  static QString SocketPath(const std::string& lockName);
  // True when a running instance answered that it came to the front.
  static bool AskToRaise(const std::string& lockName, int timeoutMs = 2000);

 private:
  void OnConnection();
  void Raise(const QByteArray& token);

  QWidget& window_;
  QLocalServer* server_ = nullptr;
  QByteArray lastToken_;
};

}  // namespace taskwell
